#include "TimeView.h"

#include "AxisTrackBar.h"
#include "ChartInteraction.h"
#include "Hints.h"
#include "Named.h"
#include "NumberEdit.h"
#include "NumberFormat.h"
#include "ParameterEdit.h"
#include "RecordChart.h"
#include "TimeDomain.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int kCursor0 = 3, kCursor1 = 4;

} // namespace

TTimeView::TTimeView(TViewState& state, THandlerRunner run, QWidget* parent)
    : QWidget(parent), s_(state), run_(std::move(run)) {
    setObjectName(QStringLiteral("TimePanel"));
    TimeChart = new TRecordChart(QStringLiteral("TimeChart"), QStringLiteral("Сигнал"), this);
    TRecordChart::SetAxis(TimeChart->xAxis, QStringLiteral("t, мс"), QStringLiteral("#,##0.00"), 0.25);
    TRecordChart::SetAxis(TimeChart->yAxis, QStringLiteral("x[t]"), QStringLiteral("#,##0"), 1);
    for (int k = 0; k < 3; ++k)
        TimeChart->AddSeries(ToQColor(s_.Flags.ChColor[std::size_t(k)]));
    TimeChart->AddCursor();
    TimeChart->AddCursor();
    TimeCursorLabel = TimeChart->AddCornerLabel(QStringLiteral("TimeCursorLabel"), QStringLiteral("dt = ?"));
    ApplyHint(TimeChart, kChartHint);
    t0Bar = makeTrackBar(QStringLiteral("t0TrackBar"));
    t1Bar = makeTrackBar(QStringLiteral("t1TrackBar"));
    t0TrackBar = t0Bar->Slider;
    t1TrackBar = t1Bar->Slider;

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    left->addWidget(TimeChart, 1);
    left->addWidget(t0Bar);
    left->addWidget(t1Bar);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 1);
    layout->addWidget(makeSideColumn());
    ShowFlags();
}

// A bar whose cursor line can also be dragged on the chart.
TAxisTrackBar* TTimeView::makeTrackBar(const QString& name) {
    auto* bar = new TAxisTrackBar(name, TimeChart->xAxis, this);
    ApplyHint(bar, QStringLiteral("|Курсор: стрелки — на отсчёт, Page Up и Page Down — на 10 отсчётов; "
                                  "линию курсора можно тащить мышью"));
    connect(bar, &TAxisTrackBar::positionChanged, this, [this] { run_([this] { RefreshTimeCursor(); }); });
    TimeChart->Interaction->AddDraggable({[this, bar]() -> std::optional<double> {
                                              if (!(s_.FSamplePeriod > 0))
                                                  return std::nullopt;
                                              return bar->KeyOf(bar->Position());
                                          },
                                          [bar](double key) { bar->MoveToKey(key); }});
    return bar;
}

QWidget* TTimeView::makeSideColumn() {
    auto* column = new QWidget(this);
    auto* graphs =
        Named(new QGroupBox(QStringLiteral("Графики"), column), QStringLiteral("SignalGraphsGroupBox"));
    Ch0SignalCheckBox =
        Named(new QCheckBox(QStringLiteral("Датчик №1"), graphs), QStringLiteral("Ch0SignalCheckBox"));
    Ch1SignalCheckBox =
        Named(new QCheckBox(QStringLiteral("Датчик №2"), graphs), QStringLiteral("Ch1SignalCheckBox"));
    HamSignalCheckBox =
        Named(new QCheckBox(QStringLiteral("Молоток"), graphs), QStringLiteral("HamSignalCheckBox"));
    InvertSignalCheckBox =
        Named(new QCheckBox(QStringLiteral("Инверсия"), graphs), QStringLiteral("InvertSignalCheckBox"));
    auto* g = new QVBoxLayout(graphs);
    int channel = 0;
    for (QCheckBox* c : {Ch0SignalCheckBox, Ch1SignalCheckBox, HamSignalCheckBox}) {
        g->addWidget(c);
        connect(c, &QCheckBox::clicked, this, [this, channel](bool on) {
            run_([&] { SetSignalShown(channel, on); });
            emit flagsChanged();
        });
        ++channel;
    }
    g->addWidget(InvertSignalCheckBox);
    connect(InvertSignalCheckBox, &QCheckBox::clicked, this, [this](bool on) {
        run_([&] { SetInvertSignal(on); });
        emit flagsChanged();
    });

    auto* edits = Named(new QGroupBox(QStringLiteral("Параметры"), column), QStringLiteral("EditGroupBox"));
    AmpEdit = new TNumberEdit(QStringLiteral("AmpEdit"), edits);
    VelocityEdit = new TNumberEdit(QStringLiteral("VelocityEdit"), edits);
    auto* form = new QFormLayout(edits);
    form->addRow(QStringLiteral("Усиление"), AmpEdit);
    form->addRow(QStringLiteral("V, м/с"), VelocityEdit);
    ApplyHint(edits, QStringLiteral("|После изменения параметра нажмите Enter"));
    connect(AmpEdit, &TNumberEdit::entered, this, [this] { run_([this] { AmpEditEnter(); }); });
    connect(VelocityEdit, &TNumberEdit::entered, this, [this] { run_([this] { VelocityEditEnter(); }); });

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(graphs);
    layout->addWidget(edits);
    layout->addStretch();
    column->setFixedWidth(150);
    return column;
}

void TTimeView::ShowTimeDomain(bool keepZoom) {
    const TMeasureResult& r = s_.CurrentMeasure;
    ::ShowTimeDomain({r.Ch0Data, r.Ch1Data, r.HamData, s_.SampleCount(), s_.FSamplePeriod, s_.FGain,
                      s_.Flags.InvertSignal},
                     gains_, series_);
    for (int k = 0; k < 3; ++k) {
        TimeChart->SetSeries(k, series_[std::size_t(k)]);
        TimeChart->graph(k)->setVisible(s_.Flags.ChSignalShow[std::size_t(k)]);
    }
    const TChartKeyWindow window =
        s_.Options.ViewWindow ? WindowFromZero(series_[0], s_.Options.TimeWindow) : TChartKeyWindow{};
    TimeChart->RescaleAxes({0, 1, 2}, window, keepZoom);
    TimeChart->Redraw();
}

void TTimeView::ClearTimeDomain() {
    for (int k = 0; k < 3; ++k)
        TimeChart->ClearSeries(k);
    TimeChart->ShowNoData();
    TimeChart->Redraw();
}

QString TTimeView::GetTimeCursorStr() const {
    return ::GetTimeCursorStr(t0Bar->Position(), t1Bar->Position(), s_.FSamplePeriod, s_.FVelocity);
}

void TTimeView::DrawTimeCursor() {
    const auto at = [this](const TAxisTrackBar* bar) -> std::optional<double> {
        if (!(s_.FSamplePeriod > 0))
            return std::nullopt;
        return bar->KeyOf(bar->Position());
    };
    TimeChart->DrawCursor(kCursor0, at(t0Bar));
    TimeChart->DrawCursor(kCursor1, at(t1Bar));
    TimeChart->RedrawCursors();
}

void TTimeView::RefreshTimeCursor() {
    TimeCursorLabel->setText(GetTimeCursorStr());
    DrawTimeCursor();
}

// Sample i lies at i * period ms, as the curves put it.
void TTimeView::ResetCursors(int samples) {
    const auto keyOf = [this](int i) { return double(i) * s_.FSamplePeriod * 1000; };
    for (TAxisTrackBar* bar : {t0Bar, t1Bar}) {
        const QSignalBlocker quiet(bar);
        bar->SetPositions(0, samples - 1, keyOf);
    }
}

void TTimeView::ShowEdits() {
    AmpEdit->setText(FormatFloat(QStringLiteral("0.000"), s_.FGain));
    VelocityEdit->setText(FormatFloat(QStringLiteral("0.0"), s_.FVelocity));
}

void TTimeView::ClearEdits() {
    AmpEdit->clear();
    VelocityEdit->clear();
}

// The edit's value is taken into `inForce`, or the edit shows the value in force again.
static bool take(TNumberEdit* edit, const EditOutcome& out, double& inForce) {
    if (!out.Accepted)
        edit->setText(out.Text);
    else
        inForce = out.Value;
    return out.Accepted;
}

void TTimeView::AmpEditEnter() {
    if (!take(AmpEdit, AcceptGain(AmpEdit->text(), s_.FGain), s_.FGain))
        return;
    ShowTimeDomain(true);
    RefreshTimeCursor();
}

void TTimeView::VelocityEditEnter() {
    if (!take(VelocityEdit, AcceptVelocity(VelocityEdit->text(), s_.FVelocity), s_.FVelocity))
        return;
    RefreshTimeCursor();
    emit velocityAccepted();
}

void TTimeView::SetSignalShown(int channel, bool shown) {
    s_.Flags.ChSignalShow[std::size_t(channel)] = shown;
    TimeChart->ShowSeries(channel, shown);
    ShowFlags();
}

void TTimeView::SetInvertSignal(bool invert) {
    s_.Flags.InvertSignal = invert;
    ShowTimeDomain(); // which also undoes any zoom
    ShowFlags();
}

void TTimeView::RefreshColors() {
    const auto& c = s_.Flags.ChColor;
    TimeChart->SetColors({ToQColor(c[0]), ToQColor(c[1]), ToQColor(c[2])});
}

void TTimeView::ShowFlags() {
    const std::array<QCheckBox*, 3> shown{Ch0SignalCheckBox, Ch1SignalCheckBox, HamSignalCheckBox};
    for (std::size_t k = 0; k < 3; ++k)
        shown[k]->setChecked(s_.Flags.ChSignalShow[k]);
    InvertSignalCheckBox->setChecked(s_.Flags.InvertSignal);
}
