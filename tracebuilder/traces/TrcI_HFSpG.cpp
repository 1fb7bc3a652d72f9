#include "TrcI_HFSpG.h"

#include "ColumnRaster.h"

void tTrcI_HFSpG::DrawColumn(QImage& image, const IArray<TPoint>& points, int x0, int bottom) const {
    if (points.count() == 0)
        return;
    ColumnRaster raster(image, conf.app->marginTop, bottom);
    raster.PaintCentre(x0);
    raster.Reach(x0, points, true);
    raster.PaintShape();
}
