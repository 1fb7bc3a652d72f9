#include "TracePages.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "ColumnLabels.h"
#include "TrcI_Columns.h"

namespace {

constexpr double kAxisMm = 12.0; // room for the depth labels left of the columns
constexpr double kGapMm = 2.0;
constexpr double kAxisPoints = 8.0;

QFont TitleFont(bool heading) {
    QFont font;
    font.setPointSizeF(heading ? 11.0 : 9.0);
    font.setBold(heading);
    return font;
}

double Millimetre(const QPaintDevice& device) {
    return device.logicalDpiX() / 25.4;
}

// One bit a pixel: black where the grey is below `limit`, white elsewhere.
QImage Below(const QImage& greys, int limit) {
    QImage bits(greys.size(), QImage::Format_Mono);
    if (bits.isNull())
        return bits;
    bits.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int width = greys.width();
    const int whole = width / 8 * 8; // pixels in whole bytes
    for (int y = 0; y < greys.height(); ++y) {
        const uchar* from = greys.constScanLine(y);
        uchar* to = bits.scanLine(y);
        for (int x = 0; x < whole; x += 8) {
            uchar byte = 0;
            for (int k = 0; k < 8; ++k)
                byte = uchar(byte << 1 | (from[x + k] >= limit));
            to[x / 8] = byte;
        }
        if (whole < width) { // the last byte's pixels beyond the image are white
            uchar byte = 0;
            for (int x = whole; x < whole + 8; ++x)
                byte = uchar(byte << 1 | (x >= width || from[x] >= limit));
            to[whole / 8] = byte;
        }
    }
    return bits;
}

// The columns on paper. A document takes two layers of one bit a pixel, eight times smaller than
// greys (deflating greys was most of the time a document took): first what is black, then what
// is not white at the opacity that turns black into the columns' light grey over white, and
// leaves black black.
void DrawColumns(QPainter& painter, const QRectF& target, const QImage& greys) {
    if (painter.device()->devType() == QInternal::Image) {
        painter.drawImage(target, greys);
        return;
    }
    int grey = 255; // the light grey of the columns, if they have one
    for (int y = 0; y < greys.height() && grey == 255; ++y) {
        const uchar* line = greys.constScanLine(y);
        for (int x = 0; x < greys.width(); ++x)
            if (line[x] >= 128 && line[x] < 255) {
                grey = line[x];
                break;
            }
    }
    painter.drawImage(target, Below(greys, 128));
    if (grey == 255)
        return;
    painter.save();
    painter.setOpacity((255 - grey) / 255.0);
    painter.drawImage(target, Below(greys, 255));
    painter.restore();
}

} // namespace

double TitleHeight(const QPaintDevice* device, const tTraceTitle& title) {
    const QFontMetricsF heading(TitleFont(true), device), line(TitleFont(false), device);
    return heading.height() * 1.2 + line.height() * 1.15 * title.lines.size();
}

double TitleWidth(const QPaintDevice* device, const tTraceTitle& title) {
    const QFontMetricsF heading(TitleFont(true), device), line(TitleFont(false), device);
    double widest = heading.horizontalAdvance(title.kind);
    for (const QString& text : title.lines)
        widest = std::max(widest, line.horizontalAdvance(text));
    return widest;
}

void PaintTitle(QPainter& painter, const QRectF& area, const tTraceTitle& title, const QString& page) {
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(TitleFont(true));
    QFontMetricsF metrics = painter.fontMetrics();
    double y = area.top() + metrics.ascent();
    painter.drawText(QPointF(area.left(), y), title.kind);
    if (!page.isEmpty())
        painter.drawText(QPointF(area.right() - metrics.horizontalAdvance(page), y), page);
    y += metrics.height() * 1.2 - metrics.ascent();
    painter.setFont(TitleFont(false));
    metrics = painter.fontMetrics();
    for (const QString& line : title.lines) {
        painter.drawText(QPointF(area.left(), y + metrics.ascent()), line);
        y += metrics.height() * 1.15;
    }
    painter.restore();
}

tPagePlan PlanPages(int count, double rowWidth, double leastPitch, double mostPitch) {
    tPagePlan plan;
    if (count <= 0 || !(rowWidth > 0) || !(leastPitch > 0))
        return plan;
    const int fit = std::max(1, int(std::floor(rowWidth / leastPitch)));
    plan.pages = (count + fit - 1) / fit;
    plan.perPage = (count + plan.pages - 1) / plan.pages; // the pages share the columns evenly
    plan.pitch = std::min(mostPitch, rowWidth / plan.perPage);
    return plan;
}

tPagePlan PlanTracePages(const QPaintDevice& device, const QRectF& paper, const tTrcI_Columns& image) {
    const double mm = Millimetre(device);
    return PlanPages(image.conf.count, paper.width() - kAxisMm * mm, kLeastPrintedColumnMm * mm,
                     kMostPrintedColumnMm * mm);
}

namespace {

// What every page of a trace shares on one device: laid out once for all of them.
struct PrintedTrace {
    PrintedTrace(const QPaintDevice& device, const QRectF& paperRect, const tTrcI_Columns& image)
        : paper(paperRect), mm(Millimetre(device)), title(image.Title()),
          plan(PlanTracePages(device, paperRect, image)), names(LayOutNames(image.conf, plan.pitch, &device)),
          labelsTop(paper.top() + TitleHeight(&device, title) + kGapMm * mm),
          namesTop(labelsTop + QFontMetricsF(AxisFont(kAxisPoints), &device).height()) {}

    void Paint(QPainter& painter, tTrcI_Columns& image, tTrcP* processing, int page) const;

    const QRectF paper;
    const double mm;
    const tTraceTitle title;
    const tPagePlan plan;
    const tNameLayout names;
    const double labelsTop, namesTop;
};

void PrintedTrace::Paint(QPainter& painter, tTrcI_Columns& image, tTrcP* processing, int page) const {
    const tTrcColumnsCnf& conf = image.conf;
    PaintTitle(painter, paper, title, QStringLiteral("Лист %1 из %2").arg(page + 1).arg(plan.pages));
    tColumnFrame frame;
    frame.axisFont = AxisFont(kAxisPoints);
    frame.axisLeft = paper.left();
    frame.left = paper.left() + kAxisMm * mm;
    frame.pitch = plan.pitch;
    frame.first = page * plan.perPage;
    frame.count = std::min(plan.perPage, int(conf.count) - frame.first);
    frame.right = frame.left + frame.pitch * frame.count;
    frame.labelsTop = labelsTop;
    frame.namesTop = namesTop;
    frame.namesHeight = names.height;
    frame.depthTop = frame.namesTop + frame.namesHeight + kGapMm * mm / 2;
    frame.bottom = paper.bottom();
    frame.depthMax = conf.depthMax;
    frame.pxPerMetre = (frame.bottom - frame.depthTop) / std::max<double>(1, conf.depthMax);
    DrawColumns(
        painter,
        QRectF(frame.left, frame.depthTop, frame.pitch * frame.count, frame.depthMax * frame.pxPerMetre),
        image.ColumnSlice(processing, frame.first, frame.count));
    PaintPositions(painter, frame, conf.app->base);
    PaintNames(painter, frame, conf, names);
    PaintDepths(painter, frame, *image.vertical);
}

} // namespace

void PaintPage(QPainter& painter, const QRectF& paper, tTrcI_Columns& image, tTrcP* processing, int page) {
    PrintedTrace(*painter.device(), paper, image).Paint(painter, image, processing, page);
}

bool PaintPages(QPagedPaintDevice& device, tTrcI_Columns& image, tTrcP* processing) {
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The columns are sharp black and grey: kept without loss, not as a photograph.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const PrintedTrace trace(device, QRectF(0, 0, device.width(), device.height()), image);
    for (int page = 0; page < trace.plan.pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        trace.Paint(painter, image, processing, page);
    }
    return painter.end();
}
