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

void PaintPage(QPainter& painter, const QRectF& paper, tTrcI_Columns& image, tTrcP* processing, int page) {
    const QPaintDevice& device = *painter.device();
    const tTrcColumnsCnf& conf = image.conf;
    const tTraceTitle title = image.Title();
    const tPagePlan plan = PlanTracePages(device, paper, image);
    const double mm = Millimetre(device);
    PaintTitle(painter, paper, title, QStringLiteral("Лист %1 из %2").arg(page + 1).arg(plan.pages));
    const tNameLayout names = LayOutNames(conf, plan.pitch, &device);
    tColumnFrame frame;
    frame.axisFont = AxisFont(kAxisPoints);
    frame.axisLeft = paper.left();
    frame.left = paper.left() + kAxisMm * mm;
    frame.pitch = plan.pitch;
    frame.first = page * plan.perPage;
    frame.count = std::min(plan.perPage, int(conf.count) - frame.first);
    frame.right = frame.left + frame.pitch * frame.count;
    frame.labelsTop = paper.top() + TitleHeight(&device, title) + kGapMm * mm;
    frame.namesTop = frame.labelsTop + QFontMetricsF(frame.axisFont, &device).height();
    frame.namesHeight = names.height;
    frame.depthTop = frame.namesTop + frame.namesHeight + kGapMm * mm / 2;
    frame.bottom = paper.bottom();
    frame.depthMax = conf.depthMax;
    frame.pxPerMetre = (frame.bottom - frame.depthTop) / std::max<double>(1, conf.depthMax);
    const QImage columns = image.ColumnSlice(processing, frame.first, frame.count);
    painter.drawImage(
        QRectF(frame.left, frame.depthTop, frame.pitch * frame.count, frame.depthMax * frame.pxPerMetre),
        columns);
    PaintPositions(painter, frame, conf.app->base);
    PaintNames(painter, frame, conf, names);
    PaintDepths(painter, frame, *image.vertical);
}

bool PaintPages(QPagedPaintDevice& device, tTrcI_Columns& image, tTrcP* processing) {
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF paper(0, 0, device.width(), device.height());
    const int pages = PlanTracePages(device, paper, image).pages;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        PaintPage(painter, paper, image, processing, page);
    }
    return painter.end();
}
