#include "PileCommands.h"

#include "AutoCommand.h"
#include "CsvExport.h"
#include "DownloadUnit.h"
#include "PileJson.h"
#include "PileLimits.h"
#include "PileTexts.h"
#include "ProjectAccess.h"
#include "ReportPage.h"
#include "SiteReport.h"
#include "TPileAnalyser.h"
#include "TVerdictTable.h"
#include "VibrixCommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>
#include <functional>

namespace vibrixcli {

namespace {

constexpr double kMobilityUpTo = 8000; // Hz written by --mobility

void printJson(const QJsonDocument& doc) {
    std::fputs(doc.toJson(QJsonDocument::Indented).constData(), stdout);
}

int usage(const QString& message) {
    return cli::usageError(kUsage, message);
}

// Opens the project; SITE and PILE from the positional arguments 1 and 2.
struct PileArgs {
    ProjectAccess project;
    TPileKey key;
};

std::optional<int> openPile(const cli::Args& a, int count, PileArgs& p) {
    if (a.positional.size() != count)
        return usage(QStringLiteral("у команды %1 должно быть аргументов: %2").arg(a.command).arg(count));
    const auto site = cli::parseInteger(a.positional[1]), pile = cli::parseInteger(a.positional[2]);
    if (!site || !pile)
        return usage(QStringLiteral("номер участка и номер сваи должны быть целыми числами"));
    if (!p.project.Open(a.positional[0]))
        return cli::IoError;
    p.key = {*site, *pile};
    return std::nullopt;
}

// One line of the pile list: site, pile, blows used / blows, speed and source, toe depth, class.
QString pileLine(const TPileAnalysis& r) {
    return QStringList{QString::number(r.key.site),
                       QString::number(r.key.pile),
                       QStringLiteral("%1/%2").arg(r.used).arg(r.blows.size()),
                       piletexts::SpeedWithSource(r),
                       piletexts::Number("0.00", r.toeDepth, QStringLiteral("—")),
                       r.verdict.cls.isEmpty() ? QStringLiteral("—") : r.verdict.cls}
        .join("; ");
}

int writeAverage(const TPileAnalysis& r, const QString& file) {
    if (!r.curves)
        return cli::ioError(file, QStringLiteral("у сваи нет ни одного использованного удара"));
    const TProcessedCurves& c = *r.curves;
    CsvText csv(qsizetype(c.amplified[0].size()) * 70);
    for (std::size_t i = 0; i < c.amplified[0].size(); ++i) {
        const double ms = c.TimeOf(int(i));
        csv.Number(ms);
        csv.Number(r.Depth(ms));
        for (const auto& channel : c.amplified)
            csv.Number(channel[i]);
        csv.EndLine();
    }
    return WriteExport(file, csv.Bytes());
}

int writeMobility(const TPileAnalysis& r, const QString& file) {
    if (!r.mobility)
        return cli::ioError(file, piletexts::NoHammer());
    const TMobility& m = *r.mobility;
    CsvText csv;
    for (std::size_t k = 0; k < m.magnitude.size() && double(k) * m.frequencyStep <= kMobilityUpTo; ++k) {
        csv.Number(double(k) * m.frequencyStep);
        csv.Number(m.magnitude[k]);
        csv.Number(m.coherence[k]);
        csv.EndLine();
    }
    return WriteExport(file, csv.Bytes());
}

} // namespace

int Piles(const cli::Args& a) {
    if (a.positional.size() != 1)
        return usage(QStringLiteral("у команды piles должен быть один аргумент: проект"));
    ProjectAccess p;
    if (!p.Open(a.positional[0]))
        return cli::IoError;
    TPileAnalyser analyser(p.dm);
    const QString scheme = analyser.Verdicts().Scheme();
    QJsonArray all;
    const auto piles = analyser.Piles();
    for (const TPileRows& pile : piles) {
        const std::shared_ptr<const TPileAnalysis> analysis = analyser.Analyse(pile.key);
        const TPileAnalysis& r = *analysis;
        if (a.has("json"))
            all.append(PileJson(r, scheme, false));
        else
            cli::printLine(pileLine(r));
    }
    if (a.has("json"))
        printJson(QJsonDocument(all));
    return cli::Ok;
}

namespace {

int noSuchPile(const PileArgs& p) {
    return cli::ioError(p.project.project,
                        QStringLiteral("нет сваи %1 на участке %2").arg(p.key.pile).arg(p.key.site));
}

// The analysis as an engineer reads it, line by line.
QStringList pileReport(const TPileAnalysis& r, const QString& scheme) {
    QStringList lines{QStringLiteral("Участок %1, свая %2").arg(r.key.site).arg(r.key.pile),
                      QStringLiteral("Удары: использовано %1 из %2").arg(r.used).arg(r.blows.size())};
    for (const TBlowReport& b : r.blows) {
        QString line = QStringLiteral("  запись %1: %2, сдвиг %3, корреляция %4")
                           .arg(b.row + 1)
                           .arg(fromDateTimeValue(b.dateTime).toString("dd.MM.yyyy hh:mm:ss"))
                           .arg(b.shift)
                           .arg(piletexts::Number("0.000", b.correlation, QStringLiteral("—")));
        line += b.taken  ? QStringLiteral(", использован по выбору инженера")
                : b.used ? QStringLiteral(", использован")
                         : QStringLiteral(", не использован: ") + piletexts::BlowReason(*b.reason);
        lines << line;
    }
    lines << QStringLiteral("Длина: %1; диаметр: %2")
                 .arg(piletexts::Length(r.verdict.length), piletexts::Length(r.verdict.diameter));
    const QString fallback = piletexts::SpeedFallback(r);
    lines << QStringLiteral("Скорость волны: %1").arg(piletexts::SpeedWithSource(r)) +
                 (fallback.isEmpty() ? QString() : QStringLiteral(" — ") + fallback);
    if (r.toeTime)
        lines << QStringLiteral("Подошва: %1 мс, %2 м%3")
                     .arg(piletexts::Number("0.000", *r.toeTime),
                          piletexts::Number("0.00", r.toeDepth, QStringLiteral("—")),
                          r.toeAuto ? QStringLiteral(" (найдена автоматически)")
                                    : QStringLiteral(" (отмечена инженером)"));
    else
        lines << QStringLiteral("Подошва не отмечена");
    lines << QStringLiteral("Фильтр: %1 Гц; усиление: %2")
                 .arg(piletexts::Number("0", r.verdict.processing.lowpass),
                      piletexts::Number("0.0", r.verdict.processing.amplify));
    if (r.mobility && r.mobility->peakSpacing)
        lines << QStringLiteral("Мобильность: шаг резонансов %1 Гц, длина %2 м")
                     .arg(piletexts::Number("0.0", *r.mobility->peakSpacing),
                          piletexts::Number("0.00", r.mobilityLength, QStringLiteral("—")));
    else if (r.mobility)
        lines << QStringLiteral("Мобильность: Δf не определено");
    else
        lines << QStringLiteral("Мобильность: ") + piletexts::NoHammer();
    for (const TDefectMark& d : r.verdict.defects)
        lines << QStringLiteral("Дефект: %1 мс, %2 м, %3")
                     .arg(piletexts::Number("0.000", d.time), piletexts::Number("0.00", r.Depth(d.time)),
                          d.kind);
    const QString meaning = classscheme::Meaning(scheme, r.verdict.cls);
    lines << QStringLiteral("Класс: %1")
                 .arg(r.verdict.cls.isEmpty() ? QStringLiteral("—")
                      : meaning.isEmpty()     ? r.verdict.cls
                                              : r.verdict.cls + " (" + meaning + ")");
    if (!r.verdict.remark.isEmpty())
        lines << QStringLiteral("Примечание: %1").arg(r.verdict.remark);
    return lines;
}

} // namespace

int Pile(const cli::Args& a) {
    PileArgs p;
    if (const auto failed = openPile(a, 3, p))
        return *failed;
    TPileAnalyser analyser(p.project.dm);
    if (!analyser.Find(p.key))
        return noSuchPile(p);
    const std::shared_ptr<const TPileAnalysis> analysis = analyser.Analyse(p.key);
    const TPileAnalysis& r = *analysis;
    if (a.has("average"))
        if (const int status = writeAverage(r, a.value("average")))
            return status;
    if (a.has("mobility"))
        if (const int status = writeMobility(r, a.value("mobility")))
            return status;
    if (a.has("profile"))
        if (const int status = WriteFirstPassProfile(p.project, p.key, a.value("profile")))
            return status;
    const QString scheme = analyser.Verdicts().Scheme();
    if (a.has("json"))
        printJson(QJsonDocument(PileJson(r, scheme, true)));
    else
        for (const QString& line : pileReport(r, scheme))
            cli::printLine(line);
    return cli::Ok;
}

namespace {

// Why a value of pile-set cannot be taken, or nothing.
using Limit = std::function<std::optional<QString>(double)>;

std::optional<QString> positive(double v) {
    return v > 0 ? std::nullopt : std::optional(QStringLiteral("нужно число больше 0"));
}

// A value of pile-set: "-" clears it, a number must be one and within its limit.
std::optional<QString> readOptional(const cli::Args& a, const char* name, std::optional<double>& out,
                                    const Limit& limit, const QString& clearWord = QStringLiteral("-")) {
    if (!a.has(name))
        return std::nullopt;
    const QString text = a.value(name);
    if (text == clearWord) {
        out.reset();
        return std::nullopt;
    }
    const auto v = cli::parseNumber(text);
    if (!v || !std::isfinite(*v))
        return QStringLiteral("--%1: нужно число: %2").arg(name, text);
    if (const auto refused = limit(*v))
        return QStringLiteral("--%1: %2: %3").arg(name, *refused, text);
    out = *v;
    return std::nullopt;
}

std::optional<QString> readNumber(const cli::Args& a, const char* name, double& out, const Limit& limit) {
    std::optional<double> v = out;
    if (const auto error = readOptional(a, name, v, limit, QString()))
        return error;
    out = *v;
    return std::nullopt;
}

// The date-times of the rows (as `list` numbers them) named in "ROW,ROW,...", each of this pile.
std::optional<QString> readRows(const cli::Args& a, const char* name, const TPileRows& pile,
                                const vxds::DataTable& table, std::vector<double>& out) {
    for (const QString& text : a.values(name).join(',').split(',', Qt::SkipEmptyParts)) {
        const auto row = cli::parseInteger(text);
        if (!row)
            return QStringLiteral("--%1: номер записи не число: %2").arg(name, text);
        if (std::find(pile.rows.begin(), pile.rows.end(), *row - 1) == pile.rows.end())
            return QStringLiteral("--%1: запись %2 не этой сваи").arg(name).arg(*row);
        out.push_back(vxds::asDouble(table.valueAt(*row - 1, measurefield::kDateTime)));
    }
    return std::nullopt;
}

// --speed: a number is the pile's own; "site" or "record" chooses where the speed comes from;
// "auto", "length" or "-" leave the choice to the analysis again (the length's speed first).
std::optional<QString> readSpeed(const cli::Args& a, TPileVerdict& v) {
    static const QStringList sources{"site", "record"}; // in the order of TSpeedChoice
    if (!a.has("speed"))
        return std::nullopt;
    const QString text = a.value("speed").trimmed().toLower();
    if (const qsizetype i = sources.indexOf(text); i >= 0) {
        v.speed.reset();
        v.speedChoice = TSpeedChoice(i);
    } else if (text == "auto" || text == "length" || text == "-") {
        v.speed.reset();
        v.speedChoice.reset();
    } else if (const auto error = readOptional(a, "speed", v.speed, pilelimits::Speed)) {
        return QStringLiteral("%1 (или auto, length, site, record)").arg(*error);
    } else {
        v.speedChoice.reset(); // the pile's own
    }
    return std::nullopt;
}

// "MS:KIND" with a kind of the program's words, or the English words of the same kinds.
std::optional<QString> readDefect(const QString& text, TDefectMark& mark) {
    static const QStringList english{"narrowing", "widening", "crack", "break", "other"};
    const qsizetype colon = text.indexOf(':');
    const auto time = cli::parseNumber(text.left(colon));
    QString kind = text.mid(colon + 1).trimmed().toLower();
    if (const qsizetype i = english.indexOf(kind); i >= 0)
        kind = DefectKinds()[i];
    if (colon < 0 || !time || !std::isfinite(*time) || !DefectKinds().contains(kind))
        return QStringLiteral("--defect: нужно ВРЕМЯ_МС:ВИД, вид из: %1: %2")
            .arg(DefectKinds().join(", "), text);
    mark = {*time, kind};
    return std::nullopt;
}

// Reads every option of pile-set into the verdict; the first one that is wrong is said.
std::optional<QString> changeVerdict(const cli::Args& a, const TPileRows& pile, const vxds::DataTable& table,
                                     const QString& scheme, const TPileAnalysis& now, TPileVerdict& v) {
    const double sampleFreq = now.blowSet->SampleFreq();
    const std::vector<TBlowReport>& blows = now.blows;
    std::optional<QString> error;
    const auto check = [&](std::optional<QString> e) {
        if (e && !error)
            error = e;
    };
    check(readOptional(a, "length", v.length, pilelimits::Length));
    check(readOptional(a, "diameter", v.diameter, pilelimits::Diameter));
    check(readSpeed(a, v));
    check(readOptional(a, "toe-time", v.toeTime, positive));
    check(readNumber(a, "lowpass", v.processing.lowpass,
                     [&](double hz) { return pilelimits::Lowpass(hz, sampleFreq); }));
    check(readNumber(a, "amplify", v.processing.amplify, pilelimits::Amplify));
    if (a.has("toe-time")) // a toe set, or the automatic one back
        v.toeRemoved = false;
    if (a.has("toe")) {
        if (a.value("toe") != "-")
            check(QStringLiteral("--toe: можно только \"-\" (убрать подошву)"));
        v.toeTime.reset();
        v.toeRemoved = true;
    }
    if (a.has("defects")) {
        if (a.value("defects") != "-")
            check(QStringLiteral("--defects: можно только \"-\" (убрать все отметки)"));
        v.defects.clear();
    }
    for (const QString& text : a.values("defect")) {
        TDefectMark mark;
        check(readDefect(text, mark));
        v.defects.push_back(mark);
    }
    if (a.has("class")) {
        const QString cls = a.value("class").trimmed();
        if (cls == "-" || cls.isEmpty())
            v.cls.clear();
        else if (classscheme::Classes(scheme).contains(cls))
            v.cls = cls;
        else
            check(QStringLiteral("--class: класс схемы %1: %2")
                      .arg(scheme, classscheme::Classes(scheme).join(", ")));
    }
    if (a.has("remark"))
        v.remark = a.value("remark") == "-" ? QString() : a.value("remark");
    std::vector<double> exclude, include;
    check(readRows(a, "exclude", pile, table, exclude));
    check(readRows(a, "include", pile, table, include));
    for (const TBlowReport& blow : blows) {
        if (std::find(exclude.begin(), exclude.end(), blow.dateTime) != exclude.end())
            SetBlowUsed(v, blow, false);
        if (std::find(include.begin(), include.end(), blow.dateTime) != include.end())
            SetBlowUsed(v, blow, true);
    }
    return error;
}

} // namespace

int PileSet(const cli::Args& a) {
    PileArgs p;
    if (const auto failed = openPile(a, 3, p))
        return *failed;
    TPileAnalyser analyser(p.project.dm);
    QString scheme = analyser.Verdicts().Scheme();
    if (a.has("scheme")) {
        scheme = a.value("scheme");
        if (classscheme::Classes(scheme).isEmpty())
            return usage(
                QStringLiteral("--scheme: %1 или %2").arg(classscheme::kRoman, classscheme::kLetters));
    }
    const TPileRows* pile = analyser.Find(p.key);
    if (!pile)
        return noSuchPile(p);
    TPileVerdict v = analyser.VerdictOf(p.key);
    const std::shared_ptr<const TPileAnalysis> now = analyser.Analyse(p.key);
    if (const auto error = changeVerdict(a, *pile, p.project.dm.cdsVibrix, scheme, *now, v))
        return usage(*error);
    analyser.Verdicts().SetScheme(scheme);
    analyser.SetVerdict(p.key, v);
    return p.project.Save() ? cli::Ok : cli::IoError;
}

namespace {

QString pileNumbers(const std::vector<int>& piles) {
    QStringList out;
    for (int p : piles)
        out << QString::number(p);
    return out.isEmpty() ? QStringLiteral("—") : out.join(", ");
}

QJsonArray pileArray(const std::vector<int>& piles) {
    QJsonArray out;
    for (int p : piles)
        out.append(p);
    return out;
}

} // namespace

int Site(const cli::Args& a) {
    if (a.positional.size() != 1)
        return usage(QStringLiteral("у команды site должен быть один аргумент: проект"));
    std::optional<int> only;
    if (a.has("site")) {
        only = cli::parseInteger(a.value("site"));
        if (!only)
            return usage(QStringLiteral("--site: номер участка не число: %1").arg(a.value("site")));
    }
    ProjectAccess p;
    if (!p.Open(a.positional[0]))
        return cli::IoError;
    TPileAnalyser analyser(p.dm);
    const QString scheme = analyser.Verdicts().Scheme();
    std::vector<int> sites = analyser.Sites();
    if (only) {
        if (std::find(sites.begin(), sites.end(), *only) == sites.end())
            return cli::ioError(p.project, QStringLiteral("нет участка %1").arg(*only));
        sites = {*only};
    }

    CsvText csv = CsvText::Table();
    for (const char* title : {"Участок", "Свая", "Ударов использовано", "Ударов", "Длина, м", "Скорость, м/с",
                              "Откуда скорость", "Подошва, м", "Дефекты", "Класс", "Примечание"})
        csv.Field(QString::fromUtf8(title));
    csv.EndLine();
    QJsonArray all;
    for (int site : sites) {
        const TSiteSpeed speed = analyser.SiteSpeed(site);
        QMap<QString, int> classes;
        for (const TPileRows& pile : analyser.Piles()) {
            if (pile.key.site != site)
                continue;
            const std::shared_ptr<const TPileAnalysis> analysis = analyser.Analyse(pile.key);
            const TPileAnalysis& r = *analysis;
            ++classes[r.verdict.cls];
            QStringList defects;
            for (const TDefectMark& d : r.verdict.defects)
                defects << QStringLiteral("%1 м %2").arg(piletexts::Number("0.00", r.Depth(d.time)), d.kind);
            for (const QString& field :
                 {QString::number(site), QString::number(pile.key.pile), QString::number(r.used),
                  QString::number(r.blows.size()),
                  piletexts::Number("0.00", r.verdict.length, QStringLiteral("—")),
                  r.waveSpeed > 0 ? piletexts::Number("0.0", r.waveSpeed) : QString("—"),
                  piletexts::SpeedSource(r.waveSpeedSource),
                  piletexts::Number("0.00", r.toeDepth, QStringLiteral("—")), defects.join(", "),
                  r.verdict.cls, r.verdict.remark})
                csv.Text(field);
            csv.EndLine();
        }
        QJsonObject counts;
        QStringList countText;
        for (auto it = classes.begin(); it != classes.end(); ++it) {
            counts.insert(it.key(), it.value());
            countText << QStringLiteral("%1 %2")
                             .arg(it.key().isEmpty() ? QStringLiteral("без класса") : it.key())
                             .arg(it.value());
        }
        all.append(QJsonObject{{"site", site},
                               {"waveSpeed", JsonValue(speed.speed)},
                               {"used", pileArray(speed.used)},
                               {"excluded", pileArray(speed.excluded)},
                               {"own", pileArray(speed.own)},
                               {"min", JsonValue(speed.min)},
                               {"max", JsonValue(speed.max)},
                               {"classes", counts}});
        if (!a.has("json"))
            cli::printLine(
                QStringLiteral(
                    "участок %1: скорость %2 м/с; по сваям %3; исключены %4; своя скорость %5; от %6 до %7; "
                    "классы: %8")
                    .arg(site)
                    .arg(speed.speed ? piletexts::Number("0.0", *speed.speed) : QStringLiteral("—"),
                         pileNumbers(speed.used), pileNumbers(speed.excluded), pileNumbers(speed.own),
                         piletexts::Number("0.0", speed.min, QStringLiteral("—")),
                         piletexts::Number("0.0", speed.max, QStringLiteral("—")), countText.join(", ")));
    }
    if (a.has("csv"))
        if (const int status = WriteExport(a.value("csv"), csv.Bytes()))
            return status;
    if (a.has("json"))
        printJson(QJsonDocument(all));
    return cli::Ok;
}

namespace {

// "1-3,7": the piles in the order given, each once; none when a part is not a number or a range.
std::optional<std::vector<int>> pileList(const QString& text) {
    std::vector<int> piles;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        const std::optional<int> first = cli::parseInteger(ends.front());
        const std::optional<int> last = ends.size() == 2 ? cli::parseInteger(ends.back()) : first;
        if (ends.size() > 2 || !first || !last || *first > *last || *last - *first > 100000)
            return std::nullopt;
        for (int pile = *first; pile <= *last; ++pile)
            if (std::find(piles.begin(), piles.end(), pile) == piles.end())
                piles.push_back(pile);
    }
    return piles;
}

} // namespace

int SiteReport(const cli::Args& a) {
    if (a.positional.size() != 2)
        return usage(QStringLiteral("у команды site-report должно быть аргументов: 2"));
    std::optional<int> site;
    if (a.has("site")) {
        site = cli::parseInteger(a.value("site"));
        if (!site)
            return usage(QStringLiteral("--site: номер участка не число: %1").arg(a.value("site")));
    }
    std::vector<TPileKey> only;
    if (a.has("piles")) {
        const std::optional<std::vector<int>> piles = pileList(a.value("piles"));
        if (!site)
            return usage(QStringLiteral("--piles: нужен и --site: номера свай повторяются на участках"));
        if (!piles)
            return usage(
                QStringLiteral("--piles: нужны номера и диапазоны свай через запятую (например 1-3,7): %1")
                    .arg(a.value("piles")));
        for (int pile : *piles)
            only.push_back({*site, pile});
    }
    ProjectAccess p;
    if (!p.Open(a.positional[0]))
        return cli::IoError;
    TPileAnalyser analyser(p.dm);
    if (const auto sites = analyser.Sites();
        site && std::find(sites.begin(), sites.end(), *site) == sites.end())
        return cli::ioError(p.project, QStringLiteral("нет участка %1").arg(*site));
    for (const TPileKey& key : only)
        if (!analyser.Find(key))
            return cli::ioError(p.project,
                                QStringLiteral("нет сваи %1 на участке %2").arg(key.pile).arg(key.site));
    QString error;
    if (SaveSiteReport(a.positional[1], analyser, site, {}, error, only) != TSiteReportResult::Written)
        return cli::ioError(a.positional[1], error);
    cli::printLine(QStringLiteral("отчёт по участку: %1").arg(a.positional[1]));
    return cli::Ok;
}

int ReportInfo(const cli::Args& a) {
    if (a.positional.size() != 1)
        return usage(QStringLiteral("у команды report-info должен быть один аргумент: проект"));
    ProjectAccess project;
    if (!project.Open(a.positional[0]))
        return cli::IoError;
    TVerdictTable verdicts(project.dm.cdsVerdict);
    TReportHeader header = verdicts.Header();
    bool set = false;
    for (const TReportHeaderField& f : ReportHeaderFields()) {
        if (!a.has(f.key))
            continue;
        const QString text = a.value(f.key).trimmed();
        header.*f.field = text == "-" ? QString() : text;
        set = true;
    }
    if (!set) {
        for (const TReportHeaderField& f : ReportHeaderFields())
            cli::printLine(QStringLiteral("%1: %2").arg(f.name.toLower(), header.*f.field));
        return cli::Ok;
    }
    verdicts.SetHeader(header);
    return project.Save() ? cli::Ok : cli::IoError;
}

} // namespace vibrixcli
