#include "TPileComputation.h"

#include "FFTUnit.h"
#include "TWaveSpeed.h"

QString TPileInput::Signature() const {
    QString signature;
    for (double t : dateTimes)
        signature += QString::number(t, 'g', 17) + ';';
    return signature + verdict.ToJson();
}

std::shared_ptr<const TPileComputation> ComputePile(const TPileInput& input) {
    // A transform's plan and the spectra's buffers are worth keeping between piles, but never
    // shared between threads.
    thread_local TComplexFFT fft;
    thread_local TMobilityBuffers buffers;

    const TPileVerdict& verdict = input.verdict;
    auto c = std::make_shared<TPileComputation>();
    c->signature = input.Signature();
    c->blows.Compute(input.blows,
                     {verdict.length, verdict.processing.threshold, verdict.excluded, verdict.included});
    if (c->blows.HasAverage()) {
        const std::span<const double> average[3] = {c->blows.Average(0), c->blows.Average(1),
                                                    c->blows.Average(2)};
        c->curves = ProcessPile(average, c->blows.SampleFreq(), c->blows.Impact(), c->blows.HammerSilent(),
                                verdict.processing);
        const auto used = c->blows.UsedBlows();
        c->mobility = ComputeMobility(used, c->blows.SampleLen(), c->blows.SampleFreq(),
                                      verdict.processing.bandLow, verdict.processing.bandHigh, fft, buffers);
    }
    if (verdict.toeTime) {
        c->toeTime = verdict.toeTime;
    } else if (verdict.length && c->curves && c->blows.RecordVelocity() > 0) {
        c->toeTime = PickToe(*c->curves, 2000 * *verdict.length / c->blows.RecordVelocity());
        if (c->toeTime && !verdict.AllowsAutomaticToe(*c->toeTime))
            c->toeTime.reset();
        c->toeAuto = c->toeTime.has_value();
    }
    if (!verdict.speed && verdict.length && c->toeTime && *c->toeTime > 0)
        c->lengthSpeed = 2 * *verdict.length / (*c->toeTime / 1000);
    return c;
}
