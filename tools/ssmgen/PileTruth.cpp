#include "PileTruth.h"
#include "JsonText.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace ssmgen {
using namespace pilemodel;
namespace {

constexpr const char* kBlowKinds[] = {"good", "double", "clipped"};

std::string number(double v) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end);
}

std::string quoted(const std::string& s) {
    std::string q = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            q += '\\';
            q += c;
        } else if (std::uint8_t(c) < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(c));
            q += esc;
        } else {
            q += c;
        }
    }
    return q + '"';
}

// One object on one line: {"key": value, ...} with the values already written.
std::string object(std::initializer_list<std::pair<const char*, std::string>> fields) {
    std::string o = "{";
    for (const auto& [key, value] : fields)
        o += (o.size() > 1 ? ", " : "") + quoted(key) + ": " + value;
    return o + "}";
}

template <class T, class F> std::string array(const std::vector<T>& items, F write, const char* indent) {
    if (items.empty())
        return "[]";
    std::string a = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        a += std::string(i ? "," : "") + "\n" + indent + write(items[i]);
    return a + "]";
}

std::string boolean(bool v) {
    return v ? "true" : "false";
}

std::string assessmentJson(const TruthAssessment& a) {
    return ",\n   \"designLength\": " + (a.designLength ? number(*a.designLength) : "null") +
           ", \"class\": " + (a.cls.empty() ? "null" : quoted(a.cls)) +
           ", \"toeVisible\": " + boolean(a.toeVisible) + ", \"hammerRecord\": " + boolean(a.hammerRecord);
}

std::string mismatchJson(const TruthMismatch& m) {
    if (m == TruthMismatch{})
        return "";
    const std::string soil = array(
        m.soil,
        [](const SoilBoundary& b) {
            return object({{"depth", number(b.depth)}, {"change", number(b.change)}});
        },
        "     ");
    return ",\n   \"mismatch\": " + object({{"soil", soil},
                                            {"pulseSkew", number(m.pulseSkew)},
                                            {"pulseTail", number(m.pulseTail)},
                                            {"noiseCorrelation", number(m.noiseCorrelation)},
                                            {"noiseDrift", number(m.noiseDrift)}});
}

std::string pileJson(const TruthPile& p) {
    const std::string profile = array(
        p.profile,
        [](const Section& s) {
            return object({{"depth", number(s.depth)},
                           {"length", number(s.length)},
                           {"ratio", number(s.ratio)},
                           {"kind", quoted(sectionKindName(s.kind))}});
        },
        "     ");
    const std::string blows = array(
        p.blows,
        [](const TruthBlow& b) {
            return object({{"file", quoted(b.file)},
                           {"trigger", std::to_string(b.trigger)},
                           {"jitter", std::to_string(b.jitter)},
                           {"hammer", number(b.hammer)},
                           {"kind", quoted(blowKindName(b.kind))}});
        },
        "     ");
    return "{\"site\": " + std::to_string(p.site) + ", \"pile\": " + std::to_string(p.pile) +
           ", \"length\": " + number(p.length) + ", \"waveSpeed\": " + number(p.waveSpeed) +
           ", \"headerVelocity\": " + number(p.headerVelocity) + ",\n   \"toe\": " + quoted(p.toe) +
           ", \"toeReflection\": " + number(p.toeReflection) + ", \"friction\": " + number(p.friction) +
           ", \"noise\": " + number(p.noise) + (p.assessment ? assessmentJson(*p.assessment) : "") +
           mismatchJson(p.mismatch) + ",\n   \"profile\": " + profile + ",\n   \"blows\": " + blows + "}";
}

// Reads the fields of a truth, noting the first one that is missing or of the wrong type.
class Reader {
public:
    std::string error;

    double num(const QJsonObject& o, const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isDouble())
            fail(key, "a number");
        return v.toDouble();
    }
    int integer(const QJsonObject& o, const char* key) {
        const double v = num(o, key);
        if (v != double(int(v)))
            fail(key, "a whole number");
        return int(v);
    }
    std::string text(const QJsonObject& o, const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isString())
            fail(key, "a text");
        return v.toString().toStdString();
    }
    QJsonArray list(const QJsonObject& o, const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isArray())
            fail(key, "an array");
        return v.toArray();
    }
    QJsonObject item(const QJsonValue& v, const char* what) {
        if (!v.isObject())
            fail(what, "an object");
        return v.toObject();
    }

    Section section(const QJsonObject& o) {
        Section s;
        s.depth = num(o, "depth");
        s.length = num(o, "length");
        s.ratio = num(o, "ratio");
        if (!sectionKindFromName(text(o, "kind"), s.kind))
            fail("kind", "narrowing, widening, crack or break");
        return s;
    }

    TruthBlow blow(const QJsonObject& o) {
        TruthBlow b;
        b.file = text(o, "file");
        b.trigger = integer(o, "trigger");
        b.jitter = integer(o, "jitter");
        b.hammer = num(o, "hammer");
        const std::string kind = text(o, "kind");
        const auto* k = std::find(std::begin(kBlowKinds), std::end(kBlowKinds), kind);
        if (k == std::end(kBlowKinds))
            fail("kind", "good, double or clipped");
        else
            b.kind = BlowKind(k - std::begin(kBlowKinds));
        return b;
    }

    bool flag(const QJsonObject& o, const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isBool())
            fail(key, "true or false");
        return v.toBool();
    }

    // Present only in a scoring site's truth; its design length and class may be null.
    std::optional<TruthAssessment> assessment(const QJsonObject& o) {
        if (!o.contains(QLatin1String("designLength")))
            return std::nullopt;
        TruthAssessment a;
        if (!o.value(QLatin1String("designLength")).isNull())
            a.designLength = num(o, "designLength");
        if (!o.value(QLatin1String("class")).isNull())
            a.cls = text(o, "class");
        a.toeVisible = flag(o, "toeVisible");
        a.hammerRecord = flag(o, "hammerRecord");
        return a;
    }

    TruthMismatch mismatch(const QJsonObject& o) {
        TruthMismatch m;
        for (const QJsonValue& v : list(o, "soil")) {
            const QJsonObject b = item(v, "soil");
            m.soil.push_back({num(b, "depth"), num(b, "change")});
        }
        m.pulseSkew = num(o, "pulseSkew");
        m.pulseTail = num(o, "pulseTail");
        m.noiseCorrelation = num(o, "noiseCorrelation");
        m.noiseDrift = num(o, "noiseDrift");
        return m;
    }

    TruthPile pile(const QJsonObject& o) {
        TruthPile p;
        p.site = integer(o, "site");
        p.pile = integer(o, "pile");
        p.length = num(o, "length");
        p.waveSpeed = num(o, "waveSpeed");
        p.headerVelocity = num(o, "headerVelocity");
        p.toe = text(o, "toe");
        p.toeReflection = num(o, "toeReflection");
        p.friction = num(o, "friction");
        p.noise = num(o, "noise");
        for (const QJsonValue& s : list(o, "profile"))
            p.profile.push_back(section(item(s, "profile")));
        for (const QJsonValue& b : list(o, "blows"))
            p.blows.push_back(blow(item(b, "blows")));
        p.assessment = assessment(o);
        if (o.contains(QLatin1String("mismatch")))
            p.mismatch = mismatch(item(o.value(QLatin1String("mismatch")), "mismatch"));
        return p;
    }

private:
    void fail(const char* key, const char* what) {
        if (error.empty())
            error = std::string("\"") + key + "\" is not " + what;
    }
};

} // namespace

const char* blowKindName(BlowKind kind) {
    return kBlowKinds[int(kind)];
}

TruthPile truthOf(const PileModel& m, int site, int pile, double headerVelocity) {
    TruthPile t;
    t.site = site;
    t.pile = pile;
    t.length = m.length;
    t.waveSpeed = m.waveVelocity;
    t.headerVelocity = headerVelocity;
    t.toe = toeName(m.toeReflection);
    t.toeReflection = m.toeReflection;
    t.friction = m.friction;
    t.noise = m.noise;
    t.mismatch = {m.soil, m.pulseSkew, m.pulseTail, m.noiseCorrelation, m.noiseDrift};
    t.profile = m.profile;
    return t;
}

std::string toJson(const Truth& truth) {
    return "{\"piles\": " + array(truth.piles, pileJson, "  ") + "}\n";
}

bool writeTruth(const std::filesystem::path& path, const Truth& truth, std::string& error) {
    std::ofstream out(path, std::ios::binary);
    out << toJson(truth);
    out.flush();
    if (!out)
        error = path.string() + ": cannot be written";
    return bool(out);
}

std::optional<std::string> readText(const std::filesystem::path& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
        error = path.string() + ": cannot be read";
        return std::nullopt;
    }
    return text.str();
}

std::optional<QJsonDocument> parseJson(const std::string& json, std::string& error) {
    QJsonParseError parse;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray(json.data(), qsizetype(json.size())), &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = parse.errorString().toStdString() + " at " + std::to_string(parse.offset);
        return std::nullopt;
    }
    return doc;
}

std::optional<Truth> parseTruth(const std::string& json, std::string& error) {
    const auto doc = parseJson(json, error);
    if (!doc)
        return std::nullopt;
    Reader r;
    Truth truth;
    for (const QJsonValue& p : r.list(doc->object(), "piles"))
        truth.piles.push_back(r.pile(r.item(p, "piles")));
    if (!r.error.empty()) {
        error = r.error;
        return std::nullopt;
    }
    return truth;
}

std::optional<Truth> readTruth(const std::filesystem::path& path, std::string& error) {
    const auto text = readText(path, error);
    return text ? parseTruth(*text, error) : std::nullopt;
}

} // namespace ssmgen
