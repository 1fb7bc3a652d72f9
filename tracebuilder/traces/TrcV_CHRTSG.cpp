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
    double c = conf.app->ku * 0.0001;
    double abscissaScale = conf.app->velocity * 0.5; // depth of a reflection: t * V / 2
    if (!FirstItemSelected(conf.dimension)) {
        c = std::min(c, kMaxGrowthInTime);
        abscissaScale = 1000.0; // milliseconds
    }
    FillGainCurves(list, measures, c, kSaturation, abscissaScale);
    return 1;
}
