#include "TrcI_Columns.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

#include "TracePicture.h"
#include "TrcP_Columns.h"
#include "WideVectors.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr qint64 kLargestStrip = 32 << 20; // pixels: 128 MB while drawn, a quarter of it kept

QRgb Grey(uchar g) {
    return QRgb(0xFF000000u | (g * 0x010101u));
}

// Greys widened to pixels; the two rows never overlap, which lets the compiler use vectors. The
// wide build also keeps clear of the stalls that old-style vector code meets right after the
// painter's own wide vector code.
VX_WIDE_VECTORS void WidenGreys(const uchar* __restrict from, QRgb* __restrict to, int n) {
    for (int x = 0; x < n; ++x)
        to[x] = Grey(from[x]);
}

} // namespace

tTrcI_Columns::tTrcI_Columns(tAppInt* app, TracePicture* picture, QScrollBar* scrollBar, QSlider* trackBar,
                             QWidget* sheet)
    : tTrcI(&conf), conf(app, picture, scrollBar, trackBar, sheet),
      horizontal(std::make_unique<tTrcAxe_H>(this)), vertical(std::make_unique<tTrcAxe_V>(this)) {}

tTrcI_Columns::~tTrcI_Columns() = default;

const tTrcP_Columns& tTrcI_Columns::Entries(tTrcP* processing) const {
    return *RequireKind<tTrcP_Columns>(processing);
}

void tTrcI_Columns::Draw(tTrcP* processing) {
    const tTrcP_Columns& source = Entries(processing);
    const IArray<tTrcP_Measure>& entries = source.measures;
    if (entries.count() == 0)
        return;
    conf.SetSheetVisible(true);
    // A strip too large to keep beside the picture is not made for drawing (saving still tries).
    const bool onePage = conf.first - 1 + conf.visible <= int(entries.count()) &&
                         qint64(conf.ColumnCentre(conf.count)) * conf.imageHeight <= kLargestStrip;
    const QImage greys = onePage ? Columns(source) : QImage(); // shares the strip's pixels
    if (!greys.isNull()) {
        CopyPage(greys);
    } else {
        for (int c = 0; c < conf.visible; ++c)
            DrawColumn(conf.image->image(), entries.Item(conf.first - 1 + c).points, conf.ColumnCentre(c),
                       conf.imageHeight);
    }
    conf.image->update();
}

const QImage& tTrcI_Columns::Columns(const tTrcP_Columns& source) {
    if (strip_.source == &source && strip_.generation == source.generation &&
        strip_.step == conf.columnStep && strip_.count == conf.count)
        return strip_.greys;
    strip_ = Strip{&source, source.generation, conf.columnStep, conf.count, QImage(), {}, {}};
    // As tall as the picture, so that whole columns and the whole depth axis fit.
    QImage columns(conf.ColumnCentre(conf.count), conf.imageHeight, QImage::Format_RGB32);
    if (columns.isNull()) // no memory for a strip this wide
        return strip_.greys;
    columns.fill(Qt::white);
    const int rows = columns.height();
    const qsizetype stride = columns.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* const bits = reinterpret_cast<QRgb*>(columns.bits());
    strip_.firstPixels.resize(std::size_t(conf.count) * std::size_t(rows));
    strip_.pastPixels.resize(strip_.firstPixels.size());
    std::vector<QRgb> before(std::size_t(rows), kWhite);
    for (int i = 0; i < conf.count; ++i) {
        // The cell's first pixels hold what the column before reaches into them: kept, blanked,
        // the column drawn alone there, and put back where the column left them blank.
        const qsizetype cellStart = conf.app->marginLeft + conf.columnStep * i;
        uchar* const first = strip_.firstPixels.data() + std::size_t(i) * std::size_t(rows);
        uchar* const past = strip_.pastPixels.data() + std::size_t(i) * std::size_t(rows);
        for (int y = 0; y < rows; ++y) {
            before[std::size_t(y)] = bits[y * stride + cellStart];
            bits[y * stride + cellStart] = kWhite;
        }
        DrawColumn(columns, source.measures.Item(i).points, conf.ColumnCentre(i), conf.imageHeight);
        for (int y = 0; y < rows; ++y) {
            QRgb& pixel = bits[y * stride + cellStart];
            first[y] = uchar(qBlue(pixel));
            if (pixel == kWhite)
                pixel = before[std::size_t(y)];
            past[y] = uchar(qBlue(bits[y * stride + cellStart + conf.columnStep])); // no later column yet
        }
    }
    strip_.greys = columns.convertToFormat(QImage::Format_Grayscale8);
    return strip_.greys;
}

void tTrcI_Columns::CopyPage(const QImage& greys) {
    QImage& page = conf.image->image();
    const int step = conf.columnStep;
    const int left = conf.app->marginLeft;
    const int first = conf.first - 1;
    const int right = left + step * conf.visible; // just past the last shown cell
    const int rows = std::min(page.height(), greys.height());
    const int width = std::min(right, page.width()) - left;
    if (width <= 0)
        return;
    const std::size_t height = std::size_t(greys.height());
    const uchar* const firstAlone = strip_.firstPixels.data() + std::size_t(first) * height;
    const uchar* const pastAlone = strip_.pastPixels.data() + std::size_t(first + conf.visible - 1) * height;
    for (int y = 0; y < rows; ++y) {
        QRgb* const line = reinterpret_cast<QRgb*>(page.scanLine(y)) + left;
        WidenGreys(greys.constScanLine(y) + left + step * first, line, width);
        line[0] = Grey(firstAlone[y]);
        if (right < page.width())
            line[right - left] = Grey(pastAlone[y]);
    }
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
    const tTrcP_Columns& source = Entries(processing);
    if (source.measures.count() == 0)
        return QImage();
    QImage bitmap = Columns(source).convertToFormat(QImage::Format_RGB32);
    if (bitmap.isNull())
        return bitmap;
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
