#include "TrcI_CHRTSpG.h"

#include "TrcV_CHRTSpG.h"

namespace {

constexpr std::size_t kHertzDivisor = 8; // 2048 / 8 = 256 lines shown in hertz

} // namespace

void tTrcI_CHRTSpG::Draw(tTrcP* processing) {
    tTrcV_CHRTSpG* v = RequireKind<tTrcV_CHRTSpG>(RequireKind<tTrcP>(processing)->values);
    const bool metres = InMetres();
    const IArray<tTrcV_Measure>& curves = metres ? v->depthSpectra : v->spectra;
    if (curves.count() == 0)
        return;
    PlotCurves(curves, metres ? 1 : kHertzDivisor);
}
