#include "FreqView.h"

#include "AxisTrackBar.h"
#include "ChartInteraction.h"
#include "Hints.h"
#include "Named.h"
#include "RecordChart.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kCursor = 2;
constexpr double kFrequencyAxisMaximum = 8000; // Hz, whatever the sample frequency

} // namespace

TFreqView::TFreqView(TViewState& state, THandlerRunner run, QWidget* parent)
    : QWidget(parent), s_(state), run_(std::move(run)) {
    setObjectName(QStringLiteral("FreqPanel"));
    FreqChart = new TRecordChart(QStringLiteral("FreqChart"), QStringLiteral("Спектр"), this);
    for (int k = 0; k < 2; ++k)
        FreqChart->AddSeries(ToQColor(s_.Flags.ChColor[std::size_t(k)]));
    FreqChart->AddCursor();
    FreqCursorLabel = FreqChart->AddCornerLabel(QStringLiteral("FreqCursorLabel"), QStringLiteral("f0 = ?"));
    ApplyHint(FreqChart, kChartHint);
    f0Bar = new TAxisTrackBar(QStringLiteral("f0TrackBar"), FreqChart->xAxis, this);
    f0TrackBar = f0Bar->Slider;
    ApplyHint(f0Bar, QStringLiteral("|Курсор: стрелки — на линию спектра, Page Up и Page Down — на 10 линий; "
                                    "линию курсора можно тащить мышью"));
    connect(f0Bar, &TAxisTrackBar::positionChanged, this, [this] { run_([this] { RefreshFreqCursor(); }); });
    FreqChart->Interaction->AddDraggable(
        {[this] { return cursorX(); }, [this](double key) { f0Bar->MoveToKey(key); }});
    ResetCursor();

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(FreqChart, 1);
    left->addWidget(f0Bar);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 1);
    layout->addWidget(makeSideColumn());
    ShowFreqDomain(); // the axes of the abscissa in force
    ShowFlags();
}

QWidget* TFreqView::makeSideColumn() {
    auto* column = new QWidget(this);
    auto* graphs =
        Named(new QGroupBox(QStringLiteral("Графики"), column), QStringLiteral("SpectrumGraphsGroupBox"));
    Ch0SpectrumCheckBox =
        Named(new QCheckBox(QStringLiteral("Датчик №1"), graphs), QStringLiteral("Ch0SpectrumCheckBox"));
    Ch1SpectrumCheckBox =
        Named(new QCheckBox(QStringLiteral("Датчик №2"), graphs), QStringLiteral("Ch1SpectrumCheckBox"));
    auto* g = new QVBoxLayout(graphs);
    int channel = 0;
    for (QCheckBox* c : {Ch0SpectrumCheckBox, Ch1SpectrumCheckBox}) {
        g->addWidget(c);
        connect(c, &QCheckBox::clicked, this, [this, channel](bool on) {
            run_([&] { SetSpectrumShown(channel, on); });
            emit flagsChanged();
        });
        ++channel;
    }

    auto* type =
        Named(new QGroupBox(QStringLiteral("Вывод спектра"), column), QStringLiteral("SpectrumTypeGroupBox"));
    FreqSpectrumRadioButton =
        Named(new QRadioButton(QStringLiteral("Частота"), type), QStringLiteral("FreqSpectrumRadioButton"));
    DepthSpectrumRadioButton =
        Named(new QRadioButton(QStringLiteral("Глубина"), type), QStringLiteral("DepthSpectrumRadioButton"));
    auto* t = new QVBoxLayout(type);
    t->addWidget(FreqSpectrumRadioButton);
    t->addWidget(DepthSpectrumRadioButton);
    const auto choose = [this](SpectrumAbscissa a) {
        return [this, a](bool on) {
            if (!on)
                return;
            run_([&] { SetSpectrumType(a); });
            emit flagsChanged();
        };
    };
    connect(FreqSpectrumRadioButton, &QRadioButton::clicked, this, choose(SpectrumAbscissa::Frequency));
    connect(DepthSpectrumRadioButton, &QRadioButton::clicked, this, choose(SpectrumAbscissa::Depth));

    FTProcessingButton = Named(new QToolButton(column), QStringLiteral("FTProcessingButton"));
    FTProcessingButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    FTProcessingButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(graphs);
    layout->addWidget(type);
    layout->addWidget(FTProcessingButton);
    layout->addStretch();
    column->setFixedWidth(150);
    return column;
}

void TFreqView::ShowFreqDomain(bool keepZoom) {
    const bool depth = s_.Flags.SpectrumType == SpectrumAbscissa::Depth;
    for (int k = 0; k < 3; ++k)
        FreqChart->graph(k)->setVisible(false);
    FreqChart->ClearSeries(2); // the spectra are written over
    TRecordChart::SetAxis(FreqChart->yAxis, depth ? QStringLiteral("X[H]") : QStringLiteral("X[f]"),
                          QStringLiteral("#,##0.00"), 0.01);
    if (depth)
        TRecordChart::SetAxis(FreqChart->xAxis, QStringLiteral("H, м"), QStringLiteral("#,##0.00"), 0.1);
    else
        TRecordChart::SetAxis(FreqChart->xAxis, QStringLiteral("f, Гц"), QStringLiteral("#,##0.0"), 0.1);
    ::ShowFreqDomain(s_.Spectra, s_.FVelocity, s_.Flags.SpectrumType, series_);
    for (int k = 0; k < 2; ++k) {
        FreqChart->SetSeries(k, series_[std::size_t(k)]);
        FreqChart->graph(k)->setVisible(s_.Flags.ChSpectrumShow[std::size_t(k)]);
    }
    TChartKeyWindow window;
    if (!depth)
        window.Upper = kFrequencyAxisMaximum;
    else if (s_.Options.ViewWindow)
        window = WindowFromZero(series_[0], s_.Options.DepthWindow);
    FreqChart->RescaleAxes({0, 1}, window, keepZoom);
    f0Bar->FollowAxis(); // the depths of the lines change with the velocity
    FreqChart->Redraw();
}

void TFreqView::ClearFreqDomain() {
    for (int k = 0; k < 2; ++k)
        FreqChart->ClearSeries(k);
    FreqChart->ShowNoData();
    FreqChart->Redraw();
}

QString TFreqView::GetFreqCursorStr() const {
    return ::GetFreqCursorStr(s_.Spectra, s_.FVelocity, s_.Flags.SpectrumType, f0Bar->Position());
}

// The line stands only at a point the spectrum series holds.
std::optional<double> TFreqView::cursorX() const {
    if (FreqChart->graph(0)->data()->size() < f0Bar->Position())
        return std::nullopt;
    return FreqCursorX(s_.Spectra, s_.FVelocity, s_.Flags.SpectrumType, f0Bar->Position());
}

void TFreqView::DrawFreqCursor() {
    FreqChart->DrawCursor(kCursor, cursorX());
    FreqChart->RedrawCursors();
}

void TFreqView::RefreshFreqCursor() {
    FreqCursorLabel->setText(GetFreqCursorStr());
    DrawFreqCursor();
}

// Position p lies where spectrum point p - 1 does, whichever the abscissa.
void TFreqView::ResetCursor() {
    const QSignalBlocker quiet(f0Bar);
    f0Bar->SetPositions(1, int(s_.Spectra.Spectrum0.size()) - 1, [this](int p) {
        return FreqCursorX(s_.Spectra, s_.FVelocity, s_.Flags.SpectrumType, p).value_or(0);
    });
}

void TFreqView::SetSpectrumShown(int channel, bool shown) {
    s_.Flags.ChSpectrumShow[std::size_t(channel)] = shown;
    FreqChart->ShowSeries(channel, shown);
    ShowFlags();
}

void TFreqView::SetSpectrumType(SpectrumAbscissa type) {
    s_.Flags.SpectrumType = type;
    ShowFreqDomain(); // which also undoes any zoom
    RefreshFreqCursor();
    ShowFlags();
}

void TFreqView::RefreshColors() {
    FreqChart->SetColors({ToQColor(s_.Flags.ChColor[0]), ToQColor(s_.Flags.ChColor[1])});
}

void TFreqView::ShowFlags() {
    Ch0SpectrumCheckBox->setChecked(s_.Flags.ChSpectrumShow[0]);
    Ch1SpectrumCheckBox->setChecked(s_.Flags.ChSpectrumShow[1]);
    const bool depth = s_.Flags.SpectrumType == SpectrumAbscissa::Depth;
    FreqSpectrumRadioButton->setChecked(!depth);
    DepthSpectrumRadioButton->setChecked(depth);
}
