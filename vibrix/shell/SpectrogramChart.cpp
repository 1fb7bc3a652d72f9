#include "SpectrogramChart.h"

#include "AxisTrackBar.h"
#include "FTProcessingUnit.h"
#include "NumberFormat.h"
#include "SpectrogramPicture.h"

#include <QPainter>
#include <QSlider>

namespace {

constexpr int kArea = TSpectrogramPicture::AreaSize;
constexpr int kTick = 4;
constexpr int kGap = 4;
constexpr int kTickCount = 6;

} // namespace

TSpectrogramChart::TSpectrogramChart(const QImage& picture, const TFTProcessing& processing, QWidget* parent)
    : QWidget(parent), picture_(picture), processing_(processing) {
    setObjectName(QStringLiteral("imgSpectrogram"));
    tbT = new QSlider(Qt::Horizontal, this);
    tbT->setObjectName(QStringLiteral("tbT"));
    tbT->setRange(0, TFTProcessing::ColumnCount - 1);
    tbF = new QSlider(Qt::Vertical, this);
    tbF->setObjectName(QStringLiteral("tbF"));
    tbF->setRange(1, kArea - 1);
    // Row 1 at the top, as the rows of the picture run.
    tbF->setInvertedAppearance(true);
    tbF->setInvertedControls(true);
    placeControls();
}

// Room for the first time label left of the area; the frequency labels, the turned axis title
// and the frequency bar to its right; the time labels, the title and the time bar under it.
void TSpectrogramChart::placeControls() {
    const QFontMetrics m(font());
    labelWidth_ = m.horizontalAdvance(QStringLiteral("88 888 (88,88)"));
    area_ = QRect(m.horizontalAdvance(QStringLiteral("888,88")) / 2 + 2, m.height() / 2, kArea, kArea);
    const int timeBar = area_.bottom() + 1 + kTick + 2 * m.height() + kGap;
    const int freqBar = area_.right() + 1 + kTick + kGap + labelWidth_ + kGap + m.height() + kGap;
    tbT->setGeometry(0, timeBar, kArea, tbT->sizeHint().height());
    tbF->setGeometry(freqBar, 0, tbF->sizeHint().width(), kArea);
    PlaceSliderSpan(tbT, area_.left(), area_.left() + kArea - 1);
    PlaceSliderSpan(tbF, area_.top() + 1, area_.top() + kArea - 1);
    setFixedSize(tbF->geometry().right() + 1,
                 std::max(tbT->geometry().bottom(), tbF->geometry().bottom()) + 1);
}

std::vector<TTick> TSpectrogramChart::TimeTicks() const {
    return PatternTicks(processing_.ColumnTime(0), processing_.ColumnTime(kArea - 1),
                        QStringLiteral("#,##0.00"), kTickCount);
}

// Frequencies as the readings give them, the depth for the velocity in force in brackets.
std::vector<TTick> TSpectrogramChart::FreqTicks() const {
    std::vector<TTick> ticks = PatternTicks(processing_.RowFrequency(kArea - 1), processing_.RowFrequency(0),
                                            QStringLiteral("#,##0"), kTickCount);
    for (TTick& t : ticks)
        t.Label += QStringLiteral(" (") +
                   FormatFloat(QStringLiteral("0.00"), 0.5 * processing_.Velocity() / t.Value) +
                   QLatin1Char(')');
    return ticks;
}

void TSpectrogramChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(area_.topLeft(), picture_, QRect(0, 0, kArea, kArea));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(area_.adjusted(-1, -1, 0, 0));
    const QFontMetrics m(font());
    const double columnTime = processing_.ColumnTime(1) - processing_.ColumnTime(0);
    if (columnTime > 0) {
        for (const TTick& t : TimeTicks()) {
            const int x = area_.left() + int(std::lround((t.Value - processing_.ColumnTime(0)) / columnTime));
            p.drawLine(x, area_.bottom() + 1, x, area_.bottom() + kTick);
            const int w = m.horizontalAdvance(t.Label);
            p.drawText(x - w / 2, area_.bottom() + 1 + kTick + m.ascent(), t.Label);
        }
    }
    const QString timeTitle = QStringLiteral("t, мс");
    p.drawText(area_.center().x() - m.horizontalAdvance(timeTitle) / 2,
               area_.bottom() + 1 + kTick + m.height() + m.ascent(), timeTitle);
    const double rowFrequency = processing_.RowFrequency(0) - processing_.RowFrequency(1);
    if (rowFrequency > 0) {
        for (const TTick& t : FreqTicks()) {
            const int y =
                area_.top() + int(std::lround((processing_.RowFrequency(0) - t.Value) / rowFrequency));
            p.drawLine(area_.right() + 1, y, area_.right() + kTick, y);
            p.drawText(area_.right() + 1 + kTick + kGap, y - m.height() / 2 + m.ascent(), t.Label);
        }
    }
    // The turned title reads upwards, clear of the labels and of the bar beside it.
    const QString freqTitle = QStringLiteral("f, Гц  (h, м)");
    p.save();
    p.translate(area_.right() + 1 + kTick + kGap + labelWidth_ + kGap + m.ascent(),
                area_.center().y() + m.horizontalAdvance(freqTitle) / 2);
    p.rotate(-90);
    p.drawText(0, 0, freqTitle);
    p.restore();
}
