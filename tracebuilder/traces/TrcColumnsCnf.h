#pragma once
// Column layout and controls of a trace picture: the image parameter set of the seismo and the
// spectro trace alike. The scroll bar redraws the picture, the track bar re-processes it.

#include <QObject>
#include <cstdint>

#include "tAppInt.h"
#include "tTrcCnf.h"

class QScrollBar;
class QSlider;
class QWidget;
class TracePicture;

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

    // Centre of shown column c (0-based), px.
    int ColumnCentre(int c) const { return app->marginLeft + columnStep / 2 + columnStep * c; }

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

private:
    void SetUpScrollBar(std::uint16_t n);
    void OnScroll(int position);
    void OnTrack(int position);
};
