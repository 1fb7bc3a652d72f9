#include "TPileComputation.h"

#include "FFTUnit.h"
#include "TWaveSpeed.h"

#include <memory>
#include <mutex>
#include <vector>

QString TPileInput::Signature() const {
    QString signature;
    for (double t : dateTimes)
        signature += QString::number(t, 'g', 17) + ';';
    return signature + verdict.ToJson();
}

namespace {

// A transform's plan and the spectra's buffers are worth keeping between piles, but never used by
// two threads at once: a few kept in a pool, each lent to one computation at a time. Not
// thread_local: objects with destructors that run as a thread ends now and then crash the process
// in the Windows build.
struct Workspace {
    TComplexFFT fft;
    TMobilityBuffers buffers;
};

// Never destroyed: a computation on a pool's thread may still end after main has.
struct WorkspacePool {
    std::mutex mutex;
    std::vector<std::unique_ptr<Workspace>> free;
};
WorkspacePool& pool() {
    static auto* const kept = new WorkspacePool;
    return *kept;
}

class WorkspaceLease {
public:
    WorkspaceLease() {
        WorkspacePool& p = pool();
        const std::lock_guard lock(p.mutex);
        if (!p.free.empty()) {
            workspace_ = std::move(p.free.back());
            p.free.pop_back();
        }
        if (!workspace_)
            workspace_ = std::make_unique<Workspace>();
    }
    ~WorkspaceLease() {
        WorkspacePool& p = pool();
        const std::lock_guard lock(p.mutex);
        p.free.push_back(std::move(workspace_));
    }
    WorkspaceLease(const WorkspaceLease&) = delete;
    WorkspaceLease& operator=(const WorkspaceLease&) = delete;
    Workspace* operator->() const { return workspace_.get(); }

private:
    std::unique_ptr<Workspace> workspace_;
};

} // namespace

std::shared_ptr<const TPileComputation> ComputePile(const TPileInput& input) {
    const WorkspaceLease workspace;

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
        c->mobility =
            ComputeMobility(used, c->blows.SampleLen(), c->blows.SampleFreq(), verdict.processing.bandLow,
                            verdict.processing.bandHigh, workspace->fft, workspace->buffers);
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
