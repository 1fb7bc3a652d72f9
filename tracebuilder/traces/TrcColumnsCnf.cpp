#include "TrcColumnsCnf.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <algorithm>

#include "TracePicture.h"
#include "TrcError.h"

namespace {

std::uint16_t ClampToU16(int v) {
    return std::uint16_t(std::clamp(v, 0, 0xFFFF));
}

} // namespace

tTrcColumnsCnf::tTrcColumnsCnf(tAppInt* appParams, TracePicture* picture, QScrollBar* scroll, QSlider* track,
                               QWidget* tabSheet)
    : app(appParams), image(picture), scrollBar(scroll), trackBar(track), sheet(tabSheet) {
    if (!app || !image || !scrollBar || !trackBar || !sheet)
        throw tTrcError(tTrcError::MissingObject);
    if (app->minColumnWidth <= 0 || app->maxColumnWidth <= 0)
        throw tTrcError(tTrcError::InvalidValue);
    // Positions the program sets are made with signals blocked, so only the user reaches these.
    connect(scrollBar, &QScrollBar::valueChanged, this, &tTrcColumnsCnf::OnScroll);
    connect(trackBar, &QSlider::valueChanged, this, &tTrcColumnsCnf::OnTrack);
    imageWidth = ClampToU16(image->width());
    imageHeight = ClampToU16(image->height());
    plotWidth = ClampToU16(imageWidth - app->marginLeft);
    plotHeight = ClampToU16(imageHeight - app->marginTop);
    minColumnWidth = std::uint16_t(app->minColumnWidth);
    maxColumnWidth = std::uint16_t(app->maxColumnWidth);
    first = ClampToU16(scrollBar->value());
    depthMax = ClampToU16(trackBar->value());
    SetColumnCount(1);
    SetSheetVisible(false);
}

void tTrcColumnsCnf::SetColumnCount(std::uint16_t n) {
    if (n != count)
        first = 1;
    count = n;
    SetUpScrollBar(n);
    const int atMinWidth = plotWidth / minColumnWidth;
    if (plotWidth / maxColumnWidth > n || n == 0) {
        columnStep = columnWidth = maxColumnWidth;
        visible = n;
    } else if (atMinWidth > n) {
        columnStep = columnWidth = ClampToU16(plotWidth / n);
        visible = n;
    } else {
        columnStep = columnWidth = minColumnWidth;
        visible = ClampToU16(atMinWidth);
    }
}

void tTrcColumnsCnf::SetUpScrollBar(std::uint16_t n) {
    // The scroll bar's value is the number of the leftmost shown measurement; its page is the
    // number of columns shown at once. The thumb is put at `first`, so it always agrees with it.
    const int atMinWidth = plotWidth / minColumnWidth;
    const int page = std::max(1, atMinWidth > n ? int(n) : atMinWidth);
    const QSignalBlocker blocker(scrollBar);
    scrollBar->setRange(1, std::max(1, n - page + 1));
    scrollBar->setPageStep(page);
    scrollBar->setSingleStep(1);
    scrollBar->setValue(first);
}

void tTrcColumnsCnf::SetSheetVisible(bool visible) {
    for (QWidget* w = sheet->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            const int index = tabs->indexOf(sheet);
            if (index >= 0)
                tabs->setTabVisible(index, visible);
            return;
        }
    }
}

void tTrcColumnsCnf::OnScroll(int position) {
    if (position < 1 || position == first || position > count - visible + 1)
        return;
    first = std::uint16_t(position);
    syn.SetChanged();
}

void tTrcColumnsCnf::OnTrack(int position) {
    if (position < 1 || position == depthMax)
        return;
    depthMax = ClampToU16(position);
    if (syn.parent() != nullptr)
        syn.parent()->SetChanged();
}
