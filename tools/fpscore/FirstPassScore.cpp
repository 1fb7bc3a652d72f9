#include "FirstPassScore.h"
#include "JsonText.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace fpscore {
namespace {

using pilemodel::Section;
using pilemodel::SectionKind;
using ssmgen::TruthPile;

std::optional<double> numberOf(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? std::optional(v.toDouble()) : std::nullopt;
}

// The A-D scheme has the same bands as I-IV.
std::string numeral(const QString& cls) {
    static const QStringList letters{"A", "B", "C", "D"}, numerals{"I", "II", "III", "IV"};
    const qsizetype i = letters.indexOf(cls);
    return (i >= 0 ? numerals[i] : cls).toStdString();
}

AutoPile autoPile(const QJsonObject& entry) {
    AutoPile p;
    p.site = entry.value(QLatin1String("site")).toInt();
    p.pile = entry.value(QLatin1String("pile")).toInt();
    const QJsonObject a = entry.value(QLatin1String("auto")).toObject();
    p.toeDepth = numberOf(a, "toeDepth");
    p.toeTime = numberOf(a, "toeTime");
    p.length = numberOf(a, "length");
    p.cls = numeral(a.value(QLatin1String("class")).toString());
    for (const QJsonValue& v : a.value(QLatin1String("findings")).toArray()) {
        const QJsonObject f = v.toObject();
        p.findings.push_back({f.value(QLatin1String("kind")).toString().toStdString(),
                              f.value(QLatin1String("depth")).toDouble(),
                              f.value(QLatin1String("ratio")).toDouble(1.0),
                              f.value(QLatin1String("confidence")).toDouble()});
    }
    return p;
}

bool within(std::optional<double> value, double truth, double share) {
    return value && std::fabs(*value - truth) <= share * truth;
}

bool isShort(const TruthPile& p) {
    return p.assessment->designLength && p.length < 0.9 * *p.assessment->designLength;
}

bool isSound(const TruthPile& p) {
    return p.profile.empty() && !isShort(p);
}

// The stretches every reader must find: narrowings to 0.7 or less, cracks and breaks.
bool mustBeFound(const Section& s) {
    return s.kind == SectionKind::Crack || s.kind == SectionKind::Break ||
           (s.kind == SectionKind::Narrowing && s.ratio <= 0.7);
}

// The finding of one of `kinds` nearest to `depth`, if within `tolerance` of it.
const AutoFinding* foundAt(const AutoPile& a, std::initializer_list<const char*> kinds, double depth,
                           double tolerance) {
    const AutoFinding* best = nullptr;
    for (const AutoFinding& f : a.findings)
        if (std::any_of(kinds.begin(), kinds.end(), [&](const char* k) { return f.kind == k; }) &&
            std::fabs(f.depth - depth) <= tolerance &&
            (!best || std::fabs(f.depth - depth) < std::fabs(best->depth - depth)))
            best = &f;
    return best;
}

// What the program's figures of one pile are compared by: its toe's own speed, else the median of
// the toes' speeds over the site (the site's speed in force), else the header's.
class Frame {
public:
    explicit Frame(const std::map<std::pair<int, int>, AutoPile>& autos) {
        std::vector<double> speeds;
        for (const auto& [key, a] : autos)
            if (const auto c = speedOf(a))
                speeds.push_back(*c);
        std::sort(speeds.begin(), speeds.end());
        if (!speeds.empty())
            median_ = speeds[speeds.size() / 2];
    }
    // A true depth as the program would state it.
    double depth(const TruthPile& p, const AutoPile& a, double trueDepth) const {
        return trueDepth * speedOf(a).value_or(median_.value_or(p.headerVelocity)) / p.waveSpeed;
    }

private:
    static std::optional<double> speedOf(const AutoPile& a) {
        if (a.toeDepth && a.toeTime && *a.toeTime > 0)
            return 2000.0 * *a.toeDepth / *a.toeTime;
        return std::nullopt;
    }
    std::optional<double> median_;
};

struct Tally {
    int met = 0, of = 0;
    bool countsFailures = false;     // what it counts are the piles that fail
    std::vector<std::string> failed; // "site-pile" of each pile that fails
};

class Scorer {
public:
    Tally present, toeLength, toeTime, shortFlagged, defects, ratios, widenings,
        falseFindings{0, 0, true, {}}, classes;

    void pile(const TruthPile& p, const AutoPile* found, const Frame& frame) {
        name_ = std::to_string(p.site) + "-" + std::to_string(p.pile);
        count(present, found != nullptr);
        const AutoPile a = found ? *found : AutoPile{};
        count(classes, a.cls == p.assessment->cls);
        if (isSound(p))
            soundPile(p, a);
        if (isShort(p))
            shortPile(p, a, frame);
        for (const Section& s : p.profile)
            section(s, a, frame.depth(p, a, s.depth));
    }

private:
    std::string name_;

    void count(Tally& t, bool ok) {
        ++t.of;
        t.met += ok;
        if (ok == t.countsFailures)
            t.failed.push_back(name_);
    }

    void soundPile(const TruthPile& p, const AutoPile& a) {
        const bool unseenRight = !p.assessment->toeVisible && !a.toeDepth;
        count(toeLength, unseenRight || within(a.length ? a.length : a.toeDepth, p.length, 0.03));
        count(toeTime, unseenRight || within(a.toeTime, 2000.0 * p.length / p.waveSpeed, 0.03));
        count(falseFindings, std::any_of(a.findings.begin(), a.findings.end(),
                                         [](const AutoFinding& f) { return f.confidence >= 0.5; }));
    }

    void shortPile(const TruthPile& p, const AutoPile& a, const Frame& frame) {
        const double length = frame.depth(p, a, p.length);
        const AutoFinding* flag = foundAt(a, {"short"}, length, length);
        if (!flag)
            flag = foundAt(a, {"break"}, length, length);
        count(shortFlagged, flag && within(flag->depth, length, 0.05));
    }

    void section(const Section& s, const AutoPile& a, double depth) {
        if (s.kind == SectionKind::Widening) {
            count(widenings, foundAt(a, {"widening"}, depth, 0.3));
            return;
        }
        const double tolerance = s.kind == SectionKind::Crack ? 0.5 : 0.3;
        const AutoFinding* f = foundAt(a, {"narrowing", "crack", "break"}, depth, tolerance);
        if (mustBeFound(s))
            count(defects, f || (s.kind == SectionKind::Break && foundAt(a, {"short"}, depth, tolerance)));
        if (s.kind == SectionKind::Narrowing && f)
            count(ratios, std::fabs(f->ratio - s.ratio) <= 0.15);
    }
};

// At most a line's worth of the names.
std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < 20; ++i)
        text += " " + names[i];
    return names.size() > 20 ? text + " and " + std::to_string(names.size() - 20) + " more" : text;
}

Goal goal(const char* name, const Tally& t, double share) {
    return {name, t.met, t.of, share, t.countsFailures, t.failed};
}

} // namespace

bool Goal::reached() const {
    const double s = of > 0 ? double(met) / of : (atMost ? 0.0 : 1.0);
    return atMost ? s <= share : s >= share;
}

std::optional<std::vector<AutoPile>> parseAuto(const std::string& json, std::string& error) {
    const auto doc = ssmgen::parseJson(json, error);
    if (!doc)
        return std::nullopt;
    if (!doc->isArray()) {
        error = "not a list of piles";
        return std::nullopt;
    }
    std::vector<AutoPile> piles;
    for (const QJsonValue& v : doc->array()) {
        const QJsonObject o = v.toObject();
        if (!o.value(QLatin1String("site")).isDouble() || !o.value(QLatin1String("pile")).isDouble() ||
            !o.value(QLatin1String("auto")).isObject()) {
            error = "an entry without \"site\", \"pile\" and \"auto\"";
            return std::nullopt;
        }
        piles.push_back(autoPile(o));
    }
    return piles;
}

std::vector<Goal> score(const ssmgen::Truth& truth, const std::vector<AutoPile>& autos) {
    std::map<std::pair<int, int>, AutoPile> byPile;
    for (const AutoPile& a : autos)
        byPile[{a.site, a.pile}] = a;
    const Frame frame(byPile);
    Scorer s;
    for (const TruthPile& p : truth.piles) {
        if (!p.assessment)
            continue;
        const auto found = byPile.find({p.site, p.pile});
        s.pile(p, found == byPile.end() ? nullptr : &found->second, frame);
    }
    return {goal("piles in the first pass's output", s.present, 1.0),
            goal("sound piles: length within 3 % (m; unseen toe right where invisible)", s.toeLength, 0.95),
            goal("sound piles: toe time within 3 % (ms; the same toes by their time)", s.toeTime, 0.95),
            goal("short piles flagged (short or break), length within 5 %", s.shortFlagged, 1.0),
            goal("narrowings <= 0.7, cracks, breaks found within 0.3 m (cracks 0.5)", s.defects, 0.9),
            goal("narrowings found: ratio within 0.15", s.ratios, 0.8),
            goal("widenings found within 0.3 m (our goal: as the defects)", s.widenings, 0.9),
            goal("sound piles with a confident false finding (>= 0.5)", s.falseFindings, 0.05),
            goal("proposed class equal to the truth's (none = none)", s.classes, 0.9)};
}

void add(std::vector<Goal>& total, const std::vector<Goal>& site) {
    if (total.empty()) {
        total = site;
        return;
    }
    for (std::size_t i = 0; i < total.size() && i < site.size(); ++i) {
        total[i].met += site[i].met;
        total[i].of += site[i].of;
        total[i].failed.clear(); // the piles of several sites would be named alike
    }
}

std::string report(const std::vector<Goal>& goals) {
    std::string text = "(findings' depths compared at the speed the program used for each pile; the toes of "
                       "sound piles by their length in m, scatter of speeds included, and by their time)\n";
    for (const Goal& g : goals) {
        char line[256];
        if (g.of == 0)
            std::snprintf(line, sizeof line, "%-72s   no such piles\n", g.name.c_str());
        else
            std::snprintf(line, sizeof line, "%-72s %4d/%-4d %5.1f %%  goal %s %3.0f %%  %s\n",
                          g.name.c_str(), g.met, g.of, 100.0 * g.met / g.of,
                          g.atMost ? "<=" : ">=", 100.0 * g.share, g.reached() ? "met" : "missed");
        text += line;
        if (!g.failed.empty())
            text += "    failed by piles:" + listed(g.failed) + "\n";
    }
    return text;
}

} // namespace fpscore
