#pragma once
// What an engineer decides about a pile: the design values, the wave speed when they set one, the
// marks on the curve, the class and the remark, the blows left out and the processing. Stored in
// the project as a JSON text with a version number.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The processing of a pile's average, stored with its verdict so that a printed curve can be
// made again from the project alone.
struct TProcessingParams {
    double lowpass = 2000;  // Hz, the -3 dB point of one pass; 0 = off
    int lowpassOrder = 4;   // Butterworth order of one pass
    double amplify = 5;     // the amplification at the toe (1 = none)
    double threshold = 0.9; // least correlation of a blow with the median of the blows
    double bandLow = 100;   // Hz, where the mobility's resonance peaks are looked for
    double bandHigh = 2000; // Hz
    bool operator==(const TProcessingParams&) const = default;
};

// A mark on the curve: the time from the input peak in ms (shown as a depth) and its kind.
struct TDefectMark {
    double time = 0;
    QString kind;
    bool firstPass = false; // proposed by the first pass and taken as it was
    bool operator==(const TDefectMark&) const = default;
};

// The source of the wave speed the engineer chose for a pile without a speed of its own, where the
// analysis would choose another (its order: the length, the site, the record). Where the site has
// no speed the analysis chooses as it would without the choice.
enum class TSpeedChoice { Site, Record };

struct TPileVerdict {
    std::optional<double> length;            // m, the design length
    std::optional<double> diameter;          // m, for the report only
    std::optional<double> speed;             // m/s, the pile's own speed; none = chosen by the analysis
    std::optional<TSpeedChoice> speedChoice; // where the speed comes from when not the pile's own
    std::optional<double> toeTime;           // ms from the input peak, the engineer's toe mark
    bool toeRemoved = false;                 // the engineer removed the toe: the analysis picks none either
    std::vector<TDefectMark> defects;
    QString cls;                 // the class in the project's scheme, "" = not judged
    bool classFirstPass = false; // the class is the first pass's proposal, taken as it was
    QString remark;
    std::vector<double> excluded; // date-times of the blows left out by the engineer
    std::vector<double> included; // date-times of blows taken in by the engineer though unlike the rest
    TProcessingParams processing;

    bool operator==(const TPileVerdict&) const = default;
    bool IsExcluded(double dateTime) const;
    bool IsIncluded(double dateTime) const;
    // Whether the analysis may put the toe at `time` ms: not when the engineer removed it, nor
    // below a break they marked (what echoes there is the break's, again and again).
    bool AllowsAutomaticToe(double time) const;
    // The engineer has said something of the pile: a class, a mark, a toe or its removal (a design length or
    // diameter alone is not a judgement).
    bool Judged() const;

    QString ToJson() const;
    // None when the text is not a verdict of a version this program reads.
    static std::optional<TPileVerdict> FromJson(const QString& text);
};

// The kinds a defect mark can have, in the words the program shows and stores.
const QStringList& DefectKinds();
// The kind of a break, one of DefectKinds().
extern const QString kBreakKind;

// The class schemes of a project: "I-IV" (I = sound) or "A-D" (A = sound).
namespace classscheme {
extern const QString kRoman;   // "I-IV"
extern const QString kLetters; // "A-D"
// The classes of a scheme, sound first; empty for an unknown scheme.
QStringList Classes(const QString& scheme);
// What a class means, for the reports: "" for a class the scheme does not have.
QString Meaning(const QString& scheme, const QString& cls);
} // namespace classscheme
