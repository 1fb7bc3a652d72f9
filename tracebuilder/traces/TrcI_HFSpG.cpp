#include "TrcI_HFSpG.h"

#include "ColumnRaster.h"

void tTrcI_HFSpG::DrawColumn(QImage& image, const IArray<TPoint>& points, int x0, int bottom) const {
    ColumnRaster raster(image, conf.ColumnsTop(), bottom);
    raster.PaintCentre(x0);
    // The spectrum mirrored about the centre line, both sides black.
    raster.TakeSide(x0, points, [](int x) { return x; });
    raster.PaintSide(qRgb(0, 0, 0));
    raster.TakeSide(x0, points, [](int x) { return -x; });
    raster.PaintSide(qRgb(0, 0, 0));
}
