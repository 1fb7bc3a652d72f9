#include "TrcI_Columns.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

#include "FileDateText.h"
#include "NumberText.h"
#include "TracePicture.h"
#include "TrcP_Columns.h"
#include "VelocityText.h"
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
        DrawPageNames();
    }
    conf.image->update();
}

void tTrcI_Columns::DrawPageNames() {
    QImage& picture = conf.image->image();
    QPainter painter(&picture);
    PaintNames(painter, Frame(picture, false), conf, LayOutNames(conf, conf.columnStep, &picture));
}

tColumnFrame tTrcI_Columns::Frame(const QImage& target, bool wholeTrace) const {
    tColumnFrame frame;
    frame.axisFont = AxisFont(12);
    frame.left = conf.app->marginLeft;
    frame.pitch = conf.columnStep;
    frame.first = wholeTrace ? 0 : conf.first - 1;
    frame.count = wholeTrace ? conf.count : std::min<int>(conf.visible, conf.count - frame.first);
    frame.right = target.width();
    frame.labelsTop = 0;
    frame.namesTop = conf.app->marginTop;
    frame.namesHeight = conf.nameHeight;
    frame.depthTop = conf.ColumnsTop();
    frame.pxPerMetre = conf.PixelsPerMetre();
    frame.depthMax = conf.depthMax;
    frame.axisLeft = 0;
    frame.bottom = target.height();
    return frame;
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
    {
        QPainter painter(&columns);
        PaintNames(painter, Frame(columns, true), conf, LayOutNames(conf, conf.columnStep, &columns));
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

QImage tTrcI_Columns::TitledTrace(tTrcP* processing) {
    const QImage trace = WholeTrace(processing);
    if (trace.isNull())
        return trace;
    const tTraceTitle title = Title();
    const int margin = conf.app->marginLeft;
    const int band = int(std::ceil(TitleHeight(&trace, title))) + margin / 2;
    const int width = std::max(trace.width(), int(std::ceil(TitleWidth(&trace, title))) + 2 * margin);
    QImage bitmap(width, band + trace.height(), QImage::Format_RGB32);
    if (bitmap.isNull())
        return bitmap;
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    PaintTitle(painter, QRectF(margin, margin / 4, width - 2 * margin, band), title);
    painter.drawImage(0, band, trace);
    return bitmap;
}

bool tTrcI_Columns::SaveToFile(tTrcP* processing, const QString& fileName, const char* format) {
    if (fileName.isEmpty() || Entries(processing).measures.count() == 0)
        return true;
    if (QByteArray(format).compare("PDF", Qt::CaseInsensitive) == 0) {
        QPdfWriter pdf(fileName);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        pdf.setCreator(QStringLiteral("ТРАССЫ---Vibrix4"));
        pdf.setTitle(Title().kind);
        return PaintPages(pdf, *this, processing);
    }
    const QImage bitmap = titleOnBitmap ? TitledTrace(processing) : WholeTrace(processing);
    return !bitmap.isNull() && bitmap.save(fileName, format); // null: no memory for a picture this wide
}

bool tTrcI_Columns::Print(tTrcP* processing, QPrinter& printer) {
    if (Entries(processing).measures.count() == 0)
        return true;
    return PaintPages(printer, *this, processing);
}

QImage tTrcI_Columns::ColumnSlice(tTrcP* processing, int first, int count) {
    const tTrcP_Columns& source = Entries(processing);
    const int rows = conf.depthMax * conf.PixelsPerMetre();
    if (source.measures.count() == 0 || count <= 0 || rows <= 0)
        return QImage();
    const int step = conf.columnStep;
    const int top = conf.ColumnsTop();
    const QImage& greys = Columns(source);
    if (!greys.isNull()) {
        QImage slice = greys.copy(conf.app->marginLeft + step * first, top, step * count, rows);
        // The cell's first pixels as its column alone paints them, without the one before.
        const uchar* alone = strip_.firstPixels.data() + std::size_t(first) * std::size_t(greys.height());
        for (int y = 0; y < rows; ++y)
            slice.scanLine(y)[0] = alone[top + y];
        return slice;
    }
    // Too wide for a strip: the page's columns drawn on their own.
    QImage slice(step * count, top + rows, QImage::Format_RGB32);
    if (slice.isNull())
        return slice;
    slice.fill(Qt::white);
    for (int c = 0; c < count; ++c)
        DrawColumn(slice, source.measures.Item(std::size_t(first + c)).points, step / 2 + step * c,
                   conf.imageHeight);
    return slice.copy(0, top, slice.width(), rows).convertToFormat(QImage::Format_Grayscale8);
}

tTraceTitle tTrcI_Columns::Title() const {
    tTraceTitle title;
    title.kind = Kind();
    if (!conf.columns.empty()) {
        title.lines
            << QStringLiteral("Папка: %1").arg(QDir::toNativeSeparators(conf.columns.front().origin.folder));
        const auto [earliest, latest] = std::minmax_element(
            conf.columns.begin(), conf.columns.end(), [](const tTrcColumn& a, const tTrcColumn& b) {
                return a.origin.lastWriteMsecs < b.origin.lastWriteMsecs;
            });
        FileDateText dates;
        const QString from = dates(earliest->origin.lastWriteMsecs).toString();
        const QString to = dates(latest->origin.lastWriteMsecs).toString();
        title.lines << (from == to ? QStringLiteral("Измерение: %1").arg(from)
                                   : QStringLiteral("Измерения: %1 – %2").arg(from, to));
    }
    QStringList parameters{
        QStringLiteral("Скорость: %1").arg(VelocityText(*conf.app, conf.FileVelocities()))};
    if (Amplified())
        parameters << QStringLiteral("Усиление: %1").arg(generalFloatText(conf.app->ku));
    parameters << QStringLiteral("Глубина: 0–%1 м").arg(conf.depthMax)
               << QStringLiteral("База: %1 м").arg(generalFloatText(conf.app->base))
               << QStringLiteral("Столбцов: %1").arg(conf.count);
    title.lines << parameters.join(QStringLiteral("    "));
    return title;
}
