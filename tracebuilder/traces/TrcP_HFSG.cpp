#include "TrcP_HFSG.h"

#include "SpectroTransform.h"
#include "TrcI_HFSG.h"
#include "TrcV_HFSG.h"

tTrcP_HFSG::tTrcP_HFSG(tTrcI_HFSG* image) : tTrcP_Columns(image) {}

const IArray<tTrcV_Measure>& tTrcP_HFSG::Curves() const {
    return RequireKind<tTrcV_HFSG>(values)->measures;
}

const tPair* tTrcP_HFSG::Shape(std::size_t i, std::size_t m) const {
    // The cut part alone is normalised, so each column uses its whole width.
    tTrcV_HFSG* v = RequireKind<tTrcV_HFSG>(values);
    const tPair* curve = v->measures.Item(i).points.data();
    IArray<double[2]>& work = v->work.points;
    work.SetCount(m);
    // Copied and normalised in one pass.
    const double divisor = spectro::NormDivisor(curve, m);
    tPair* out = work.data();
    for (std::size_t k = 0; k < m; ++k) {
        out[k][0] = divisor == 0.0 ? curve[k][0] : curve[k][0] / divisor;
        out[k][1] = curve[k][1];
    }
    return out;
}
