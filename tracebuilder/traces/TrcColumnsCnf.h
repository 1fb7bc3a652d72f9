#pragma once
// Column layout and controls of a trace picture: the image parameter set of the seismo and the
// spectro trace alike. The scroll bar redraws the picture, the track bar and a new size of the
// picture re-process it.

#include <QObject>
#include <QPoint>
#include <QSize>
#include <cstdint>
#include <functional>
#include <vector>

#include "tAppInt.h"
#include "tTrcCnf.h"

class QScrollBar;
class QSlider;
class QWidget;
class TracePicture;

// What one column of a trace shows: where its measurement comes from, and the wave velocity its
// file holds.
struct tTrcColumn {
    tTrc__Origin origin;
    int channel = 0; // 0 = sensor 1, 1 = sensor 2
    float fileVelocity = 0.0f;
};

class tTrcColumnsCnf : public QObject, public tTrcCnf {
public:
    // Raises the missing-object error when a parameter or control is null, the invalid-value
    // error for column limits that cannot lay out a column.
    tTrcColumnsCnf(tAppInt* appParams, TracePicture* picture, QScrollBar* scroll, QSlider* track,
                   QWidget* tabSheet);

    // Lays out n columns and sets up the scroll bar; `first` returns to 1 when n changes.
    void SetColumnCount(std::uint16_t n);
    // Shows or hides the tab page of the picture.
    void SetSheetVisible(bool visible);
    // The columns of a build, in the order of `list`; their names are drawn above them.
    void SetColumns(const tTrc__DataList& list);

    // Centre of shown column c (0-based), px.
    int ColumnCentre(int c) const { return app->marginLeft + columnStep / 2 + columnStep * c; }
    // Top of the columns: below the positions' row and the names' row.
    int ColumnsTop() const { return app->marginTop + nameHeight; }
    // Whole pixels per metre of depth, as the columns are drawn; 0 for a range deeper than the
    // picture is tall.
    int PixelsPerMetre() const { return depthMax > 0 ? plotHeight / depthMax : 0; }
    // The wave velocity each column's file holds, in column order.
    std::vector<float> FileVelocities() const;
    // The label above column i: the pile number, and the channel when both of a file are built.
    QString ColumnName(std::size_t i) const;
    // The measurement (0-based) of the column under x on the picture, -1 when there is none.
    int ColumnAt(int x) const;
    // The depth in metres at y on the picture; not a number outside the columns' depths.
    double DepthAt(int y) const;

    std::uint16_t imageWidth = 0;
    std::uint16_t imageHeight = 0;
    std::uint16_t plotWidth = 0;
    std::uint16_t plotHeight = 0;
    std::uint16_t minColumnWidth = 0;
    std::uint16_t maxColumnWidth = 0;
    std::uint16_t count = 0;
    std::uint16_t visible = 0;
    std::uint16_t first = 1;
    std::uint16_t columnStep = 0;
    std::uint16_t columnWidth = 0;
    std::uint16_t depthMax = 0;
    tAppInt* const app;
    TracePicture* const image;
    QScrollBar* const scrollBar;
    QSlider* const trackBar;
    QWidget* const sheet;
    std::vector<tTrcColumn> columns; // empty until a build names them
    bool namesWithChannel = false;   // both channels of some file are built
    std::uint16_t nameHeight = 0;    // rows of the names above the columns
    // Told when the picture's size or the rows of its columns change.
    std::function<void()> layoutChanged;

private:
    void SetUpScrollBar(std::uint16_t n);
    void OnScroll(int position);
    void OnTrack(int position);
    void OnResize(QSize size);
    void TakeSize(QSize size);
    // The processing object's marker: what the columns are drawn at has changed.
    void MarkLayout();
};
