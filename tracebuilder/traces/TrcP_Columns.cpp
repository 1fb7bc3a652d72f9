#include "TrcP_Columns.h"

#include "TrcI_Columns.h"

namespace {

// Number of leading points not deeper than depthMax.
std::size_t PointsWithin(const IArray<double[2]>& curve, double depthMax) {
    std::size_t m = 0;
    // A depth above the pile head (a velocity that is not positive) ends the curve too.
    while (m < curve.count() && curve.data()[m][1] >= 0.0 && curve.data()[m][1] <= depthMax)
        ++m;
    return m;
}

} // namespace

tTrcP_Columns::tConfig::tConfig(tTrcI_Columns* image) : owner(image) {
    if (image == nullptr)
        throw tTrcError(tTrcError::MissingObject);
}

tTrcP_Columns::tTrcP_Columns(tTrcI_Columns* image) : tTrcP(&conf, image), conf(image) {
    AdoptImage();
}

void tTrcP_Columns::Clear() {
    ++generation;
    measures.SetCount(0);
}

int tTrcP_Columns::Calc() {
    ++generation;
    const IArray<tTrcV_Measure>& curves = Curves();
    if (curves.count() == 0)
        return 0;
    tTrcColumnsCnf& layout = conf.owner->conf;
    if (layout.depthMax == 0)
        throw tTrcError(tTrcError::InvalidValue);
    measures.SetCount(curves.count());
    layout.SetColumnCount(curves.count());
    conf.halfWidth = layout.columnWidth / 2;
    conf.xOffset = 0;
    conf.pixelsPerMetre = std::uint16_t(layout.PixelsPerMetre());
    conf.yOffset = 0;
    for (std::size_t i = 0; i < curves.count(); ++i) {
        const std::size_t m = PointsWithin(curves.Item(i).points, layout.depthMax);
        IArray<TPoint>& entry = measures.Item(i).points;
        entry.SetCount(m);
        const tPair* shape = m > 0 ? Shape(i, m) : nullptr;
        for (std::size_t k = 0; k < m; ++k) {
            entry.data()[k].X = std::int32_t(shape[k][0] * conf.halfWidth + conf.xOffset);
            entry.data()[k].Y = std::int32_t(shape[k][1] * conf.pixelsPerMetre + conf.yOffset);
        }
    }
    return measures.count();
}
