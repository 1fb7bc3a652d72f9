#include "AutoCommand.h"

#include "CsvExport.h"
#include "MainDataModuleUnit.h"
#include "ProjectAccess.h"
#include "TFirstPassProject.h"
#include "TProjectPiles.h"
#include "TVerdictTable.h"
#include "VibrixCommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <cstdio>

namespace vibrixcli {

namespace {

QJsonValue json(const std::optional<double>& v) {
    return v ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonObject autoObject(const TFirstPassResult& r) {
    QJsonArray findings;
    for (const TFinding& f : r.findings)
        findings.append(QJsonObject{{"kind", f.kind},
                                    {"depth", f.depth},
                                    {"bottom", json(f.bottom)},
                                    {"ratio", f.ratio},
                                    {"confidence", f.confidence}});
    return QJsonObject{{"toeDepth", json(r.toeDepth)},
                       {"toeTime", json(r.toeTime)},
                       {"toe", r.toe.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(r.toe)},
                       {"toeConfidence", r.toeConfidence},
                       {"length", json(r.length)},
                       {"loss", r.loss},
                       {"match", json(r.match)},
                       {"findings", findings},
                       {"class", r.cls.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(r.cls)},
                       {"classConfidence", r.classConfidence},
                       {"reasons", QJsonArray::fromStringList(r.reasons)}};
}

QString fixed(double v, int decimals) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(v, 'f', decimals);
}

// One line of the table: site; pile; toe depth; length; class (confidence); findings.
QString autoLine(const TFirstPassPile& p, const TFirstPassResult& r) {
    QStringList findings;
    for (const TFinding& f : r.findings)
        findings << QStringLiteral("%1 %2 м").arg(f.kind, fixed(f.depth, 2));
    return QStringList{QString::number(p.site), QString::number(p.pile),
                       r.toeDepth ? fixed(*r.toeDepth, 2) : QStringLiteral("—"),
                       r.cls.isEmpty() ? QStringLiteral("—")
                                       : QStringLiteral("%1 (%2)").arg(r.cls, fixed(r.classConfidence, 2)),
                       findings.isEmpty() ? QStringLiteral("—") : findings.join(", ")}
        .join("; ");
}

// The piles of the project (of one site) as the first pass reads them, in pile order.
std::vector<TFirstPassPile> firstPassPiles(ProjectAccess& project, std::optional<int> only) {
    const TProjectPiles piles(project.dm.cdsVibrix, project.dm.cdsVerdict);
    return FirstPassPiles(piles.Piles(), project.dm.cdsVibrix, TVerdictTable(project.dm.cdsVerdict), only);
}

} // namespace

int WriteFirstPassProfile(ProjectAccess& project, TPileKey key, const QString& file) {
    const std::vector<TFirstPassPile> piles = firstPassPiles(project, key.site);
    const auto at =
        std::find_if(piles.begin(), piles.end(), [&](const TFirstPassPile& p) { return p.pile == key.pile; });
    if (at == piles.end())
        return cli::ioError(file, QStringLiteral("у сваи нет ни одного удара"));
    const TVerdictTable verdicts(project.dm.cdsVerdict);
    const TFirstPassResult r =
        RunFirstPass(piles, {verdicts.Scheme(), std::nullopt, 0, {}})[std::size_t(at - piles.begin())];
    if (r.profile.empty())
        return cli::ioError(file, QStringLiteral("профиль импеданса не построен"));
    CsvText csv;
    for (const TProfilePoint& point : r.profile) {
        csv.Number(point.depth);
        csv.Number(point.ratio);
        if (const auto d = r.EquivalentDiameter(point))
            csv.Number(*d);
        else
            csv.Field(QString());
        csv.EndLine();
    }
    return WriteExport(file, csv.Bytes());
}

int Auto(const cli::Args& a) {
    if (a.positional.size() != 1)
        return cli::usageError(kUsage, QStringLiteral("у команды auto должен быть один аргумент: проект"));
    std::optional<int> only;
    if (a.has("site")) {
        only = cli::parseInteger(a.value("site"));
        if (!only)
            return cli::usageError(kUsage,
                                   QStringLiteral("--site: номер участка не число: %1").arg(a.value("site")));
    }
    ProjectAccess project;
    if (!project.Open(a.positional[0]))
        return cli::IoError;
    TVerdictTable verdicts(project.dm.cdsVerdict);
    const std::vector<TFirstPassPile> piles = firstPassPiles(project, only);
    if (only && piles.empty())
        return cli::ioError(project.project, QStringLiteral("нет участка %1").arg(*only));
    const std::vector<TFirstPassResult> results =
        RunFirstPass(piles, {verdicts.Scheme(), std::nullopt, 0, {}});

    QJsonArray all;
    bool changed = false;
    for (std::size_t i = 0; i < piles.size(); ++i) {
        if (a.has("json"))
            all.append(QJsonObject{
                {"site", piles[i].site}, {"pile", piles[i].pile}, {"auto", autoObject(results[i])}});
        else
            cli::printLine(autoLine(piles[i], results[i]));
        if (a.has("apply")) {
            TPileVerdict v = verdicts.Find(piles[i].site, piles[i].pile).value_or(TPileVerdict{});
            if (ApplyProposal(results[i], v)) {
                verdicts.Store(piles[i].site, piles[i].pile, v);
                changed = true;
            }
        }
    }
    if (a.has("json"))
        std::fputs(QJsonDocument(all).toJson(QJsonDocument::Indented).constData(), stdout);
    if (changed && !project.Save())
        return cli::IoError;
    return cli::Ok;
}

} // namespace vibrixcli
