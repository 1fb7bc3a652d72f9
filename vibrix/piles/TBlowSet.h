#pragma once
// The blows of one pile brought together: each blow's impact found, the blows aligned on a
// reference by cross-correlation, the inconsistent ones left out, the rest averaged channel by
// channel. Works on the stored values in place, the channels being normalised to +-1.

#include "MeasureResult.h"

#include <optional>
#include <span>
#include <vector>

// Why a blow is not in the average.
enum class TBlowReason { Clipped, Format, Correlation, Excluded };

struct TBlowReport {
    int row = -1; // position in the measurement table
    double dateTime = 0;
    int shift = 0;                     // samples, positive when the blow is later than the reference
    std::optional<double> correlation; // with the median of the blows; none for another format
    bool used = false;
    std::optional<TBlowReason> reason; // none when used
    bool taken = false;                // used by the engineer's word though unlike the others
};

class TBlowSet {
public:
    struct Options {
        std::optional<double> length; // m, the design length: sets the analysis window
        double threshold = 0.9;       // least correlation with the median
        std::vector<double> excluded; // date-times the engineer left out
        std::vector<double> included; // date-times the engineer took in though they correlate too little
    };
    struct Blow {
        int row = -1;
        QByteArray stored; // the row's Data value
    };

    // The blows in the order they were struck.
    void Compute(std::span<const Blow> blows, const Options& options);

    const std::vector<TBlowReport>& Reports() const { return reports_; }
    int UsedCount() const;
    bool HasAverage() const { return UsedCount() > 0; }

    // The average of the used blows, aligned on the reference: sensor 1, sensor 2, hammer, each
    // SampleLen() samples. Empty when no blow is used.
    std::span<const double> Average(int channel) const { return average_[channel]; }
    // The parameters of the pile's first blow, which every used blow shares.
    double SampleFreq() const { return sampleFreq_; }
    int SampleLen() const { return sampleLen_; }
    // The velocity in the header of the reference blow (m/s).
    double RecordVelocity() const { return recordVelocity_; }
    // Sample of the impact in the average (the reference's own impact).
    int Impact() const { return impact_; }
    // True when the hammer channel carries no impact: the impact is then sensor 1's rise.
    bool HammerSilent() const { return hammerSilent_; }
    // The stored values of the used blows, for the mobility.
    std::vector<const TStoredMeasure*> UsedBlows() const;
    // A channel of a used blow (an index into Reports()) moved by its shift onto the samples of
    // the average, as the average took it: SampleLen() samples, the blow's end values held
    // where it has none. Empty for a blow not used.
    std::vector<double> AlignedBlow(std::size_t blow, int channel) const;

private:
    struct Work;
    double Correlate(std::vector<Work>& work, std::size_t reference, const Options& options);
    void Align(std::vector<Work>& work, std::size_t reference) const;
    void Average(const std::vector<Work>& work);

    std::vector<TStoredMeasure> stored_;
    std::vector<TBlowReport> reports_;
    std::vector<double> average_[3];
    double sampleFreq_ = 0;
    int sampleLen_ = 0;
    double recordVelocity_ = 0;
    int impact_ = 0;
    bool hammerSilent_ = false;
};

// The first sample above half the peak of the hammer channel, or of sensor 1 when the hammer's
// peak is under 5 times its RMS (a hammer without a sensor). `hammerSilent` says which served.
int FindImpact(std::span<const float> sensor1, std::span<const float> hammer, bool& hammerSilent);
// True when sensor 1 sits at full scale for 3 or more samples in a row.
bool IsClipped(std::span<const float> sensor1);
