#include "TFirstPassProject.h"

#include "DataTable.h"
#include "MainDataModuleUnit.h"

#include <QMap>

#include <algorithm>

std::vector<TFirstPassPile> FirstPassPiles(const std::vector<TPileRows>& piles,
                                           const vxds::DataTable& measurements, const TVerdictTable& verdicts,
                                           std::optional<int> site) {
    std::vector<TFirstPassPile> result;
    for (const TPileRows& rows : piles) {
        if ((site && rows.key.site != *site) || rows.rows.empty())
            continue;
        const TPileVerdict v = verdicts.Find(rows.key.site, rows.key.pile).value_or(TPileVerdict{});
        TFirstPassPile p{
            rows.key.site, rows.key.pile, {},     {v.length, v.processing.threshold, v.excluded, v.included},
            v.length,      v.diameter,    v.speed};
        for (int row : rows.rows)
            p.blows.push_back({row, vxds::asBytes(measurements.valueAt(row, measurefield::kData))});
        result.push_back(std::move(p));
    }
    return result;
}

std::optional<TDefectMark> FindingMark(const TFinding& f, double speed) {
    static const QMap<QString, QString> kinds{{findingkind::kNarrowing, QStringLiteral("сужение")},
                                              {findingkind::kWidening, QStringLiteral("расширение")},
                                              {findingkind::kCrack, QStringLiteral("трещина")},
                                              {findingkind::kBreak, kBreakKind}};
    if (!kinds.contains(f.kind) || !(speed > 0))
        return std::nullopt;
    return TDefectMark{2000 * f.depth / speed, kinds.value(f.kind), true};
}

bool HasProposal(const TFirstPassResult& r) {
    return !r.cls.isEmpty() || !r.findings.empty();
}

void TakeProposal(const TFirstPassResult& r, TPileVerdict& v) {
    if (!r.cls.isEmpty()) {
        v.cls = r.cls;
        v.classFirstPass = true;
    }
    std::erase_if(v.defects, [](const TDefectMark& m) { return m.firstPass; });
    for (const TFinding& f : r.findings)
        if (const auto mark = FindingMark(f, r.speed))
            v.defects.push_back(*mark);
}

bool ApplyProposal(const TFirstPassResult& r, TPileVerdict& v) {
    if (v.Judged() || !HasProposal(r))
        return false;
    v.classFirstPass = false; // no class of the engineer's to keep
    TakeProposal(r, v);
    return true;
}

bool NeedsAttention(const TFirstPassResult& r, const QString& scheme) {
    const QStringList classes = classscheme::Classes(scheme);
    const bool poor = classes.size() >= 4 && classes.indexOf(r.cls) >= 2;
    const bool isShort = std::any_of(r.findings.begin(), r.findings.end(),
                                     [](const TFinding& f) { return f.kind == findingkind::kShort; });
    return poor || isShort || r.toe.isEmpty() || r.cls.isEmpty() || r.classConfidence < 0.5;
}
