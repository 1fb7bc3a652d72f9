#include "TBlowSet.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBeforeImpact = 1e-3;         // s: the impact region and the window start this early
constexpr double kAfterImpact = 2e-3;          // s: the end of the impact region
constexpr double kLagSearch = 0.5e-3;          // s: how far a blow's alignment may move from its impact
constexpr double kAfterToe = 5e-3;             // s: the window ends this long after the toe echo
constexpr double kWindowWithoutLength = 20e-3; // s: the window after the impact when L is unknown

int samplesOf(double seconds, double sampleFreq) {
    return int(std::lround(seconds * sampleFreq));
}

// Pearson correlation of a[i] and b[i + lag] over i in [from, to), samples outside b being 0.
double correlation(std::span<const float> a, std::span<const float> b, int from, int to, int lag) {
    const int n = int(b.size());
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (int i = from; i < to; ++i) {
        const double x = a[std::size_t(i)];
        const int j = i + lag;
        const double y = j >= 0 && j < n ? b[std::size_t(j)] : 0.0;
        sa += x;
        sb += y;
        saa += x * x;
        sbb += y * y;
        sab += x * y;
    }
    const double count = to - from;
    if (count <= 1)
        return 0;
    const double cov = sab - sa * sb / count, va = saa - sa * sa / count, vb = sbb - sb * sb / count;
    return va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 0;
}

} // namespace

struct TBlowSet::Work {
    bool format = false, clipped = false, excluded = false, included = false, hammerSilent = false;
    int impact = 0;
    int shift = 0;
    std::optional<double> correlation;
    bool candidate() const { return !format && !clipped && !excluded; }
};

int FindImpact(std::span<const float> sensor1, std::span<const float> hammer, bool& hammerSilent) {
    float peak = 0;
    double energy = 0;
    for (float h : hammer) {
        peak = std::max(peak, std::fabs(h));
        energy += double(h) * h;
    }
    const double rms = hammer.empty() ? 0 : std::sqrt(energy / double(hammer.size()));
    hammerSilent = !(peak > 0 && peak >= 5 * rms);
    const std::span<const float> source = hammerSilent ? sensor1 : hammer;
    if (hammerSilent) {
        peak = 0;
        for (float x : source)
            peak = std::max(peak, std::fabs(x));
    }
    for (std::size_t i = 0; i < source.size(); ++i)
        if (std::fabs(source[i]) > peak / 2)
            return int(i);
    return 0;
}

bool IsClipped(std::span<const float> sensor1) {
    int run = 0;
    for (float x : sensor1) {
        run = std::fabs(x) >= 1.0f ? run + 1 : 0;
        if (run >= 3)
            return true;
    }
    return false;
}

void TBlowSet::Compute(std::span<const Blow> blows, const Options& options) {
    reports_.assign(blows.size(), {});
    stored_.clear();
    stored_.resize(blows.size());
    for (auto& a : average_)
        a.clear();
    sampleFreq_ = 0;
    sampleLen_ = 0;
    recordVelocity_ = 0;
    impact_ = 0;
    hammerSilent_ = false;
    if (blows.empty())
        return;

    std::vector<Work> work(blows.size());
    for (std::size_t b = 0; b < blows.size(); ++b) {
        TBlowReport& r = reports_[b];
        Work& w = work[b];
        r.row = blows[b].row;
        const bool readable = stored_[b].Open(blows[b].stored);
        const TMeasureResult& head = stored_[b].Head();
        r.dateTime = head.DateTime;
        if (b == 0) {
            sampleFreq_ = head.SampleFreq;
            sampleLen_ = head.SampleLen;
        }
        w.format = !readable || head.SampleFreq != sampleFreq_ || head.SampleLen != sampleLen_ ||
                   !(sampleFreq_ > 0) || sampleLen_ < 4 || std::size_t(sampleLen_) > kChannelSamples;
        w.excluded = std::find(options.excluded.begin(), options.excluded.end(), head.DateTime) !=
                     options.excluded.end();
        w.included = std::find(options.included.begin(), options.included.end(), head.DateTime) !=
                     options.included.end();
        if (w.format)
            continue;
        const auto s1 = stored_[b].Channel(0).first(std::size_t(sampleLen_));
        w.impact = FindImpact(s1, stored_[b].Channel(2).first(std::size_t(sampleLen_)), w.hammerSilent);
        w.clipped = IsClipped(s1);
    }

    // The first consistent blow is the reference; when it disagrees with the median of the
    // blows, the next one is tried. When none agrees, the first one's alignment is reported.
    std::optional<std::size_t> accepted, first;
    for (std::size_t ref = 0; ref < work.size() && !accepted; ++ref) {
        if (!work[ref].candidate())
            continue;
        first = first.value_or(ref);
        if (Correlate(work, ref, options) >= options.threshold)
            accepted = ref;
    }
    if (first && !accepted)
        Correlate(work, *first, options);

    for (std::size_t b = 0; b < work.size(); ++b) {
        TBlowReport& r = reports_[b];
        const Work& w = work[b];
        r.shift = w.shift;
        r.correlation = w.correlation;
        if (w.format)
            r.reason = TBlowReason::Format;
        else if (w.excluded)
            r.reason = TBlowReason::Excluded;
        else if (w.clipped)
            r.reason = TBlowReason::Clipped;
        else if (!accepted || *w.correlation < options.threshold) {
            // The engineer's word overrides the correlation, and only that.
            r.taken = w.included;
            if (!r.taken)
                r.reason = TBlowReason::Correlation;
        }
        r.used = !r.reason;
    }
    // Without a reference that agrees with the median, the blows taken in are aligned on the first one.
    if (accepted || UsedCount() > 0) {
        hammerSilent_ = work[accepted.value_or(*first)].hammerSilent;
        Average(work);
    }
}

// Aligns the blows on `reference` and correlates each with the median of the consistent ones
// over the analysis window. Returns the reference's own correlation.
double TBlowSet::Correlate(std::vector<Work>& work, std::size_t reference, const Options& options) {
    // The window's length needs the record's wave speed: that of the reference.
    recordVelocity_ = stored_[reference].Head().Velocity;
    impact_ = work[reference].impact;
    Align(work, reference);
    const double toe = options.length && recordVelocity_ > 0
                           ? 2 * *options.length / recordVelocity_ + kAfterToe
                           : kWindowWithoutLength;
    const int from = std::max(0, impact_ - samplesOf(kBeforeImpact, sampleFreq_));
    const int to = std::min(sampleLen_, impact_ + samplesOf(toe, sampleFreq_));
    std::vector<float> median(std::size_t(std::max(0, to - from)));
    std::vector<float> column;
    for (int i = from; i < to; ++i) {
        column.clear();
        for (std::size_t b = 0; b < work.size(); ++b)
            if (work[b].candidate()) {
                const int j = i + work[b].shift;
                column.push_back(j >= 0 && j < sampleLen_ ? stored_[b].Channel(0)[std::size_t(j)] : 0.0f);
            }
        const auto mid = column.begin() + std::ptrdiff_t(column.size() / 2);
        std::nth_element(column.begin(), mid, column.end());
        float m = *mid;
        if (column.size() % 2 == 0)
            m = (m + *std::max_element(column.begin(), mid)) / 2;
        median[std::size_t(i - from)] = m;
    }
    for (std::size_t b = 0; b < work.size(); ++b)
        if (!work[b].format)
            work[b].correlation = correlation(median, stored_[b].Channel(0).first(std::size_t(sampleLen_)), 0,
                                              to - from, from + work[b].shift);
    return *work[reference].correlation;
}

// Shifts every blow of the pile's format to its best match with the reference over the impact
// region.
void TBlowSet::Align(std::vector<Work>& work, std::size_t reference) const {
    const int ir = work[reference].impact;
    const int from = std::max(0, ir - samplesOf(kBeforeImpact, sampleFreq_));
    const int to = std::min(sampleLen_, ir + samplesOf(kAfterImpact, sampleFreq_));
    const int search = std::max(2, samplesOf(kLagSearch, sampleFreq_));
    const auto ref = stored_[reference].Channel(0).first(std::size_t(sampleLen_));
    for (std::size_t b = 0; b < work.size(); ++b) {
        Work& w = work[b];
        if (w.format)
            continue;
        if (b == reference) {
            w.shift = 0;
            continue;
        }
        const auto x = stored_[b].Channel(0).first(std::size_t(sampleLen_));
        const int guess = w.impact - ir;
        double best = -2;
        for (int lag = guess - search; lag <= guess + search; ++lag) {
            const double c = correlation(ref, x, from, to, lag);
            if (c > best) {
                best = c;
                w.shift = lag;
            }
        }
    }
}

void TBlowSet::Average(const std::vector<Work>& work) {
    const std::size_t n = std::size_t(sampleLen_);
    std::vector<int> count(n, 0);
    for (auto& a : average_)
        a.assign(n, 0.0);
    for (std::size_t b = 0; b < work.size(); ++b) {
        if (!reports_[b].used)
            continue;
        const std::ptrdiff_t shift = work[b].shift;
        // Sample i of the average is sample i + shift of the blow, where the blow has one.
        const std::ptrdiff_t from = std::max<std::ptrdiff_t>(0, -shift);
        const std::ptrdiff_t to = std::clamp<std::ptrdiff_t>(sampleLen_ - shift, 0, sampleLen_);
        for (int k = 0; k < 3; ++k) {
            const float* x = stored_[b].Channel(k).data();
            double* sum = average_[k].data();
            for (std::ptrdiff_t i = from; i < to; ++i)
                sum[i] += x[i + shift];
        }
        for (std::ptrdiff_t i = from; i < to; ++i)
            ++count[std::size_t(i)];
    }
    for (auto& a : average_)
        for (std::size_t i = 0; i < n; ++i)
            if (count[i] > 0)
                a[i] /= count[i];
}

int TBlowSet::UsedCount() const {
    return int(std::count_if(reports_.begin(), reports_.end(), [](const TBlowReport& r) { return r.used; }));
}

std::vector<const TStoredMeasure*> TBlowSet::UsedBlows() const {
    std::vector<const TStoredMeasure*> used;
    for (std::size_t b = 0; b < reports_.size(); ++b)
        if (reports_[b].used)
            used.push_back(&stored_[b]);
    return used;
}

std::vector<double> TBlowSet::AlignedBlow(std::size_t blow, int channel) const {
    if (blow >= reports_.size() || !reports_[blow].used || channel < 0 || channel > 2)
        return {};
    const std::span<const float> x = stored_[blow].Channel(channel).first(std::size_t(sampleLen_));
    std::vector<double> aligned(static_cast<std::size_t>(sampleLen_));
    for (int i = 0; i < sampleLen_; ++i)
        aligned[std::size_t(i)] = x[std::size_t(std::clamp(i + reports_[blow].shift, 0, sampleLen_ - 1))];
    return aligned;
}
