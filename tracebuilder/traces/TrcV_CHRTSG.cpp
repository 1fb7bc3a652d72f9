#include "TrcV_CHRTSG.h"

#include <algorithm>

#include "GainCurve.h"

namespace {

constexpr double kSaturation = 3.0;      // gain stops growing beyond this magnitude
constexpr double kMaxGrowthInTime = 1.0; // at most e per sample on the time scale

} // namespace

int tTrcV_CHRTSG::Calc(const tTrc__DataList& list) {
    if (list.empty())
        return 0;
    const tAppInt& app = *conf.app;
    double c = app.ku * 0.0001;
    const bool metres = FirstItemSelected(conf.dimension);
    if (!metres)
        c = std::min(c, kMaxGrowthInTime);
    FillGainCurves(list, measures, c, kSaturation, [&app, metres](const tTrc__Data& d) {
        return metres ? app.VelocityOf(d) * 0.5 // depth of a reflection: t * V / 2
                      : 1000.0;                 // milliseconds
    });
    return 1;
}
