#pragma once
// Test rig of the trace pipeline: channels made from samples, and the controls of a trace tab
// (picture, scroll bar, track bar, tab page) with a chain of one picture kind on them.

#include <QImage>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "TracePicture.h"
#include "TrcAxe.h"
#include "TrcError.h"
#include "tAppInt.h"
#include "tTrc__Data.h"

// A channel of the given amplitudes, sampled every dt seconds from t = 0.
inline ptTrc__Data MakeChannel(const std::vector<double>& amplitudes, double dt) {
    auto data = std::make_unique<tTrc__Data>();
    data->channel = 0;
    data->samplePeriod = float(dt);
    data->pointCount = std::uint16_t(amplitudes.size());
    data->points.SetCount(amplitudes.size());
    for (std::size_t i = 0; i < amplitudes.size(); ++i) {
        data->points.Item(i)[0] = amplitudes[i];
        data->points.Item(i)[1] = double(i) * double(float(dt));
    }
    return data;
}

// A sine of the given frequency, n samples at dt.
inline std::vector<double> Sine(double frequency, double amplitude, double dt, std::size_t n) {
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = amplitude * std::sin(2 * M_PI * frequency * double(i) * dt);
    return v;
}

// The code of the pipeline error an action raises; 99 when it raises none.
inline int ErrorCode(const std::function<void()>& action) {
    try {
        action();
    } catch (const tTrcError& e) {
        return e.code;
    }
    return 99;
}

inline tTrc__DataList MakeList(std::size_t count, const std::vector<double>& amplitudes, double dt) {
    tTrc__DataList list;
    for (std::size_t i = 0; i < count; ++i)
        list.push_back(MakeChannel(amplitudes, dt));
    return list;
}

// The controls of one trace tab, as the main window makes them.
struct TabControls {
    explicit TabControls(QSize pictureSize = QSize(953, 649)) {
        tabs.addTab(new QWidget, "files");
        sheet = new QWidget;
        tabs.addTab(sheet, "trace");
        picture = new TracePicture(pictureSize, sheet);
        scroll = new QScrollBar(Qt::Horizontal, sheet);
        track = new QSlider(Qt::Vertical, sheet);
        track->setRange(5, 50);
        track->setTickInterval(5);
        track->setValue(50);
    }
    bool SheetVisible() const { return tabs.isTabVisible(tabs.indexOf(sheet)); }
    QRgb Pixel(int x, int y) const { return picture->image().pixel(x, y); }

    QTabWidget tabs;
    QWidget* sheet;
    TracePicture* picture;
    QScrollBar* scroll;
    QSlider* track;
};

// One picture chain in the construction order: image, processing, values, attach.
template <class V, class P, class I> struct PictureChain {
    explicit PictureChain(tAppInt& app, TabControls& tab)
        : image(&app, tab.picture, tab.scroll, tab.track, tab.sheet), processing(&image), values(&app) {
        values.Attach(&processing);
        image.horizontal->SetSteps(app.axisSteps);
        image.vertical->SetSteps(app.axisSteps);
    }
    I image;
    P processing;
    V values;
};

inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kGrey = 0xFFE8E8E8;
inline constexpr QRgb kRed = 0xFFFF0000;
