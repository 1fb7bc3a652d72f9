#include "TrcI_HFSG.h"

#include "ColumnRaster.h"

void tTrcI_HFSG::DrawColumn(QImage& image, const IArray<TPoint>& points, int x0, int bottom) const {
    if (points.count() == 0)
        return;
    ColumnRaster raster(image, conf.app->marginTop, bottom);
    raster.Reach(x0, points, false);
    raster.PaintLobes(x0, qRgb(232, 232, 232));
    raster.PaintCentre(x0);
}
