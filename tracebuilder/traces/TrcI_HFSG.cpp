#include "TrcI_HFSG.h"

#include <algorithm>

#include "ColumnRaster.h"

void tTrcI_HFSG::DrawColumn(QImage& image, const IArray<TPoint>& points, int x0, int bottom) const {
    ColumnRaster raster(image, conf.ColumnsTop(), bottom);
    // Left of the centre line what swings to the negative side, right of it the positive side; a
    // point of the other side keeps its polygon on the centre line.
    raster.TakeSide(x0, points, [](int x) { return std::min(x, 0); });
    raster.PaintSide(qRgb(232, 232, 232));
    raster.TakeSide(x0, points, [](int x) { return std::max(x, 0); });
    raster.PaintSide(qRgb(0, 0, 0));
    raster.PaintCentre(x0);
}
