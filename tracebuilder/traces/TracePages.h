#pragma once
// The pages a trace is printed on, and the title block that names it on every page and on the
// saved bitmap. A wide trace is spread over as many landscape pages as its columns need at a
// readable width, each page with the title block and its own depth axis.

#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;
class QPagedPaintDevice;
class QPaintDevice;
class tTrcI_Columns;
class tTrcP;

// What the title block says: the trace's kind, then lines naming the folder, the measurements'
// dates and the parameters the picture was drawn with.
struct tTraceTitle {
    QString kind;
    QStringList lines;
};

// The height the title block takes on `device`.
double TitleHeight(const QPaintDevice* device, const tTraceTitle& title);
// Paints the title block into the top of `area`; `page` (such as "Лист 2 из 5") stands at the
// right of its first line when given.
void PaintTitle(QPainter& painter, const QRectF& area, const tTraceTitle& title, const QString& page = {});
// The width the title block's longest line needs on `device`.
double TitleWidth(const QPaintDevice* device, const tTraceTitle& title);

// How many pages `count` columns take and how many stand on each, for columns from `leastPitch`
// wide (as many as fit on a page) to `mostPitch`, in a row `rowWidth` wide.
struct tPagePlan {
    int pages = 0;
    int perPage = 0;
    double pitch = 0;
};
tPagePlan PlanPages(int count, double rowWidth, double leastPitch, double mostPitch);

// Columns on paper: at least this wide, at most that wide.
inline constexpr double kLeastPrintedColumnMm = 4.0;
inline constexpr double kMostPrintedColumnMm = 15.0;

// How the columns of `image` spread over pages of `paper` (device pixels of the painter's device).
tPagePlan PlanTracePages(const QPaintDevice& device, const QRectF& paper, const tTrcI_Columns& image);
// Page `page` (0-based) of the trace whose entries are in `processing`, on `paper`: the title block
// with the page's number, the page's columns with their positions and names, and the depths.
void PaintPage(QPainter& painter, const QRectF& paper, tTrcI_Columns& image, tTrcP* processing, int page);
// Prints every column of the trace on landscape pages of `device`; false when the device cannot be
// painted on.
bool PaintPages(QPagedPaintDevice& device, tTrcI_Columns& image, tTrcP* processing);
