#include "TrcV_HFSG.h"

#include "GainCurve.h"

namespace {

constexpr double kSaturation = 55.0; // gain stops growing beyond this magnitude

} // namespace

tTrcV_HFSG::tTrcV_HFSG(tAppInt* app) : tTrcV(&conf), conf(app) {}

int tTrcV_HFSG::Calc(const tTrc__DataList& list) {
    if (list.empty())
        return 0;
    // Depth of a reflection arriving at time t: t * V / 2.
    const tAppInt& app = *conf.app;
    FillGainCurves(list, measures, app.ku * 0.0001, kSaturation,
                   [&app](const tTrc__Data& d) { return app.VelocityOf(d) * 0.5; });
    return 1;
}

void tTrcV_HFSG::Clear() {
    measures.SetCount(0);
    work.points.SetCount(0);
}
