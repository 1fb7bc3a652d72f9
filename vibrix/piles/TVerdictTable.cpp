#include "TVerdictTable.h"

#include "DownloadUnit.h"
#include "MainDataModuleUnit.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>

namespace {

constexpr int kProjectRow = -1;

} // namespace

bool TVerdictTable::Seek(int site, int pile) const {
    // Only the table's own cursor moves: nothing observes it.
    return table_.active() && table_.findKey({std::int32_t(site), std::int32_t(pile)});
}

std::optional<TPileVerdict> TVerdictTable::Find(int site, int pile) const {
    if (site == kProjectRow || !Seek(site, pile))
        return std::nullopt;
    return TPileVerdict::FromJson(vxds::asText(table_.value(verdictfield::kVerdict)));
}

std::optional<double> TVerdictTable::Changed(int site, int pile) const {
    if (!Seek(site, pile))
        return std::nullopt;
    return vxds::asDouble(table_.value(verdictfield::kChanged));
}

void TVerdictTable::Store(int site, int pile, const TPileVerdict& verdict) {
    if (Find(site, pile) == verdict)
        return;
    Write(site, pile, verdict.ToJson());
}

void TVerdictTable::Write(int site, int pile, const QString& json) {
    const double now = toDateTimeValue(QDateTime::currentDateTime());
    if (Seek(site, pile)) {
        table_.edit();
        table_.setValue(verdictfield::kChanged, now);
        table_.setValue(verdictfield::kVerdict, json);
        table_.post();
    } else {
        table_.appendRecord({std::int32_t(site), std::int32_t(pile), now, json});
    }
}

std::vector<std::pair<int, int>> TVerdictTable::Piles() const {
    std::vector<std::pair<int, int>> piles;
    if (!table_.active())
        return piles;
    for (int pos = 0; pos < table_.recordCount(); ++pos) {
        const int site = vxds::asInt(table_.valueAt(pos, verdictfield::kSite));
        if (site != kProjectRow)
            piles.emplace_back(site, vxds::asInt(table_.valueAt(pos, verdictfield::kPile)));
    }
    return piles;
}

QStringList TVerdictTable::Remarks() const {
    std::map<QString, int> counts;
    if (table_.active())
        for (int pos = 0; pos < table_.recordCount(); ++pos) {
            if (vxds::asInt(table_.valueAt(pos, verdictfield::kSite)) == kProjectRow)
                continue;
            const auto v = TPileVerdict::FromJson(vxds::asText(table_.valueAt(pos, verdictfield::kVerdict)));
            if (v && !v->remark.trimmed().isEmpty())
                ++counts[v->remark.trimmed()];
        }
    std::vector<std::pair<QString, int>> ordered(counts.begin(), counts.end());
    std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : QString::localeAwareCompare(a.first, b.first) < 0;
    });
    QStringList remarks;
    for (const auto& [remark, count] : ordered)
        remarks << remark;
    return remarks;
}

QJsonObject TVerdictTable::ProjectRow() const {
    if (!Seek(kProjectRow, kProjectRow))
        return {};
    return QJsonDocument::fromJson(vxds::asText(table_.value(verdictfield::kVerdict)).toUtf8()).object();
}

void TVerdictTable::WriteProjectRow(const QJsonObject& o) {
    Write(kProjectRow, kProjectRow, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
}

QString TVerdictTable::Scheme() const {
    const QString scheme = ProjectRow().value("scheme").toString();
    return classscheme::Classes(scheme).isEmpty() ? classscheme::kRoman : scheme;
}

// The row's other choices stay as they are.
void TVerdictTable::SetScheme(const QString& scheme) {
    if (scheme == Scheme() || classscheme::Classes(scheme).isEmpty())
        return;
    QJsonObject o = ProjectRow();
    o.insert("version", 1);
    o.insert("scheme", scheme);
    WriteProjectRow(o);
}

const std::vector<TReportHeaderField>& ReportHeaderFields() {
    static const std::vector<TReportHeaderField> fields{
        {"organisation", &TReportHeader::organisation, QStringLiteral("Организация")},
        {"object", &TReportHeader::object, QStringLiteral("Объект")},
        {"customer", &TReportHeader::customer, QStringLiteral("Заказчик")},
        {"instrument", &TReportHeader::instrument, QStringLiteral("Прибор")},
        {"operator", &TReportHeader::operatorName, QStringLiteral("Оператор")},
        {"method", &TReportHeader::method, QStringLiteral("Метод испытания")},
        {"signer", &TReportHeader::signer, QStringLiteral("Подписывает")},
    };
    return fields;
}

TReportHeader TVerdictTable::Header() const {
    const QJsonObject o = ProjectRow().value("header").toObject();
    TReportHeader h;
    for (const TReportHeaderField& f : ReportHeaderFields())
        h.*f.field = o.value(QLatin1String(f.key)).toString();
    return h;
}

// Written only when it changes; a project that never had a header keeps its row as it was.
void TVerdictTable::SetHeader(const TReportHeader& header) {
    if (header == Header())
        return;
    QJsonObject fields;
    for (const TReportHeaderField& f : ReportHeaderFields())
        if (!(header.*f.field).isEmpty())
            fields.insert(QLatin1String(f.key), header.*f.field);
    QJsonObject o = ProjectRow();
    o.insert("version", 1);
    if (fields.isEmpty())
        o.remove("header");
    else
        o.insert("header", fields);
    WriteProjectRow(o);
}
