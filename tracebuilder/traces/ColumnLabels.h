#pragma once
// The labels around trace columns, painted alike on the picture, the whole-trace bitmap and
// printed pages: above each column its position (column number × base) and its name (the pile
// number, with the channel when both channels of a file are built), beside the columns the depths
// with a red line across at each.

#include <QFont>
#include <QString>

class QPainter;
class QPaintDevice;
class tTrcColumnsCnf;
class tTrcAxe;

// Where the columns of one page stand on a painter's surface.
struct tColumnFrame {
    double left = 0;  // left edge of the first shown cell
    double pitch = 0; // width of a cell
    int first = 0;    // index of the measurement in the first shown cell
    int count = 0;    // cells shown
    double right = 0; // right edge of the room for labels
    double labelsTop = 0;
    double namesTop = 0;
    double namesHeight = 0;
    double depthTop = 0; // y of depth 0
    double pxPerMetre = 0;
    double depthMax = 0;
    double axisLeft = 0; // left edge of the depth labels
    double bottom = 0;   // lowest row a label may reach
    QFont axisFont;      // positions and depths

    double Centre(int cell) const;
};

// How the names fit above columns of a given width: across when the widest fits, else turned up,
// in a font small enough for the column.
struct tNameLayout {
    bool turned = false;
    QFont font;
    double height = 0; // rows of the names' row; 0 without names
};
tNameLayout LayOutNames(const tTrcColumnsCnf& conf, double pitch, const QPaintDevice* device);

// The positions of the shown columns at their centres; where they do not all fit, every k-th
// (k = 2, 5, 10, 20, ...) at columns whose number is a multiple of k. None is cut at an edge.
void PaintPositions(QPainter& painter, const tColumnFrame& frame, double base);
// The names of the shown columns, each within its column.
void PaintNames(QPainter& painter, const tColumnFrame& frame, const tTrcColumnsCnf& conf,
                const tNameLayout& names);
// The depth labels on a light backing, readable over black columns, with a red line across the
// columns at each; labels deeper than the range are left out, and none is cut at the bottom.
void PaintDepths(QPainter& painter, const tColumnFrame& frame, tTrcAxe& axis);

// The bold font of the axes at the given size in points.
QFont AxisFont(double pointSize);
