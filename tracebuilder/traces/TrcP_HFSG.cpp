#include "TrcP_HFSG.h"

#include <cstring>

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
    IArray<double[2]>& work = v->work.points;
    work.SetCount(m);
    std::memcpy(work.data(), v->measures.Item(i).points.data(), m * sizeof(tPair));
    spectro::Normalise(work.data(), m);
    return work.data();
}
