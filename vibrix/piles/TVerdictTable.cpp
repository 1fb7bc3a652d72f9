#include "TVerdictTable.h"

#include "DownloadUnit.h"
#include "MainDataModuleUnit.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

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

QString TVerdictTable::Scheme() const {
    if (Seek(kProjectRow, kProjectRow)) {
        const QString scheme =
            QJsonDocument::fromJson(vxds::asText(table_.value(verdictfield::kVerdict)).toUtf8())
                .object()
                .value("scheme")
                .toString();
        if (!classscheme::Classes(scheme).isEmpty())
            return scheme;
    }
    return classscheme::kRoman;
}

void TVerdictTable::SetScheme(const QString& scheme) {
    if (scheme == Scheme() || classscheme::Classes(scheme).isEmpty())
        return;
    const QJsonObject o{{"version", 1}, {"scheme", scheme}};
    Write(kProjectRow, kProjectRow, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
}
