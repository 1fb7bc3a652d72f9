#include "TrcI_Columns.h"

#include <QPainter>
#include <QPrinter>

#include "TracePicture.h"
#include "TrcP_Columns.h"

tTrcI_Columns::tTrcI_Columns(tAppInt* app, TracePicture* picture, QScrollBar* scrollBar, QSlider* trackBar,
                             QWidget* sheet)
    : tTrcI(&conf), conf(app, picture, scrollBar, trackBar, sheet),
      horizontal(std::make_unique<tTrcAxe_H>(this)), vertical(std::make_unique<tTrcAxe_V>(this)) {}

tTrcI_Columns::~tTrcI_Columns() = default;

const tTrcP_Columns& tTrcI_Columns::Entries(tTrcP* processing) const {
    return *RequireKind<tTrcP_Columns>(processing);
}

void tTrcI_Columns::Draw(tTrcP* processing) {
    const IArray<tTrcP_Measure>& entries = Entries(processing).measures;
    if (entries.count() == 0)
        return;
    conf.SetSheetVisible(true);
    for (int c = 0; c < conf.visible; ++c)
        DrawColumn(conf.image->image(), entries.Item(conf.first - 1 + c).points, conf.ColumnCentre(c),
                   conf.imageHeight);
    conf.image->update();
}

void tTrcI_Columns::DrawAxes() {
    horizontal->Draw(conf.image->image());
    vertical->Draw(conf.image->image());
    conf.image->update();
}

void tTrcI_Columns::Clear() {
    conf.image->Clear();
}

QImage tTrcI_Columns::WholeTrace(tTrcP* processing) {
    const IArray<tTrcP_Measure>& entries = Entries(processing).measures;
    if (entries.count() == 0)
        return QImage();
    // As tall as the picture, so that whole columns and the whole depth axis fit.
    const int width = conf.ColumnCentre(conf.count);
    QImage bitmap(width, conf.imageHeight, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    for (int i = 0; i < conf.count; ++i)
        DrawColumn(bitmap, entries.Item(i).points, conf.ColumnCentre(i), conf.imageHeight);
    horizontal->DrawOnBitmap(bitmap);
    vertical->DrawOnBitmap(bitmap);
    return bitmap;
}

bool tTrcI_Columns::SaveToFile(tTrcP* processing, const QString& fileName, const char* format) {
    if (fileName.isEmpty())
        return true;
    const QImage bitmap = WholeTrace(processing);
    if (bitmap.isNull()) // no entries, or no memory for a picture this wide
        return Entries(processing).measures.count() == 0;
    return bitmap.save(fileName, format);
}

bool tTrcI_Columns::Print(tTrcP* processing, QPrinter& printer) {
    const QImage bitmap = WholeTrace(processing);
    if (bitmap.isNull())
        return true;
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The whole trace fills the page, scaled independently in x and y.
    painter.drawImage(QRect(0, 0, printer.width(), printer.height()), bitmap);
    return painter.end();
}
