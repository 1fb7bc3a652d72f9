#include "TrcColumnsCnf.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "ColumnLabels.h"
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
    connect(image, &TracePicture::resized, this, &tTrcColumnsCnf::OnResize);
    minColumnWidth = std::uint16_t(app->minColumnWidth);
    maxColumnWidth = std::uint16_t(app->maxColumnWidth);
    TakeSize(image->size());
    first = ClampToU16(scrollBar->value());
    depthMax = ClampToU16(trackBar->value());
    SetColumnCount(1);
    SetSheetVisible(false);
}

void tTrcColumnsCnf::TakeSize(QSize size) {
    imageWidth = ClampToU16(size.width());
    imageHeight = ClampToU16(size.height());
    plotWidth = ClampToU16(imageWidth - app->marginLeft);
    plotHeight = ClampToU16(imageHeight - ColumnsTop());
}

void tTrcColumnsCnf::SetColumnCount(std::uint16_t n) {
    if (n != count)
        first = 1;
    count = n;
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
    // A picture grown wider shows more columns: the last page ends at the last measurement.
    first = std::uint16_t(std::clamp(int(first), 1, std::max(1, n - visible + 1)));
    SetUpScrollBar(n);
    // The names above the columns take the rows they need at this width.
    nameHeight = ClampToU16(int(std::ceil(LayOutNames(*this, columnStep, &image->image()).height)));
    plotHeight = ClampToU16(imageHeight - ColumnsTop());
    if (layoutChanged)
        layoutChanged();
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

std::vector<float> tTrcColumnsCnf::FileVelocities() const {
    std::vector<float> velocities;
    velocities.reserve(columns.size());
    for (const tTrcColumn& c : columns)
        velocities.push_back(c.fileVelocity);
    return velocities;
}

void tTrcColumnsCnf::SetColumns(const tTrc__DataList& list) {
    columns.clear();
    columns.reserve(list.size());
    std::set<std::pair<QString, int>> seen;
    namesWithChannel = false;
    for (const ptTrc__Data& d : list) {
        if (!d)
            throw tTrcError(tTrcError::MissingObject);
        columns.push_back({d->origin, d->channel, d->waveVelocity});
        // The other channel of a file already met: both are built.
        namesWithChannel =
            namesWithChannel ||
            seen.count({d->origin.folder + QLatin1Char('/') + d->origin.fileName, 1 - d->channel});
        seen.insert({d->origin.folder + QLatin1Char('/') + d->origin.fileName, d->channel});
    }
}

QString tTrcColumnsCnf::ColumnName(std::size_t i) const {
    if (i >= columns.size())
        return {};
    const tTrcColumn& c = columns[i];
    const QString pile = QString::number(c.origin.pileNumber);
    return namesWithChannel ? pile + QChar(0x00B7) + QString::number(c.channel + 1) : pile;
}

int tTrcColumnsCnf::ColumnAt(int x) const {
    if (columnStep == 0 || x < app->marginLeft)
        return -1;
    const int c = (x - app->marginLeft) / columnStep;
    const int index = first - 1 + c;
    if (c >= visible || index >= count || std::size_t(index) >= columns.size())
        return -1;
    return index;
}

double tTrcColumnsCnf::DepthAt(int y) const {
    const int perMetre = PixelsPerMetre();
    const double depth = perMetre > 0 ? double(y - ColumnsTop()) / perMetre : std::nan("");
    return depth >= 0.0 && depth <= depthMax ? depth : std::nan("");
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
    MarkLayout();
}

void tTrcColumnsCnf::OnResize(QSize size) {
    if (size.width() == imageWidth && size.height() == imageHeight)
        return;
    TakeSize(size);
    MarkLayout();
    if (layoutChanged)
        layoutChanged();
}

void tTrcColumnsCnf::MarkLayout() {
    if (syn.parent() != nullptr)
        syn.parent()->SetChanged();
}
