#include "TimeView.h"

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
    TimeChart->AddSeries(Qt::black);
    TimeChart->AddSeries(Qt::black);
    TimeCursorLabel = TimeChart->AddCornerLabel(QStringLiteral("TimeCursorLabel"), QStringLiteral("dt = ?"));
    t0TrackBar = Named(new QSlider(Qt::Horizontal, this), QStringLiteral("t0TrackBar"));
    t1TrackBar = Named(new QSlider(Qt::Horizontal, this), QStringLiteral("t1TrackBar"));
    for (QSlider* t : {t0TrackBar, t1TrackBar})
        connect(t, &QSlider::valueChanged, this, [this] { run_([this] { RefreshTimeCursor(); }); });

    auto* left = new QVBoxLayout;
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(TimeChart, 1);
    left->addWidget(t0TrackBar);
    left->addWidget(t1TrackBar);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left, 1);
    layout->addWidget(makeSideColumn());
    ShowFlags();
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

void TTimeView::ShowTimeDomain() {
    const TMeasureResult& r = s_.CurrentMeasure;
    ::ShowTimeDomain({r.Ch0Data, r.Ch1Data, r.HamData, s_.SampleCount(), s_.FSamplePeriod, s_.FGain,
                      s_.Flags.InvertSignal},
                     gains_, series_);
    for (int k = 0; k < 3; ++k) {
        TimeChart->SetSeries(k, series_[std::size_t(k)]);
        TimeChart->graph(k)->setVisible(s_.Flags.ChSignalShow[std::size_t(k)]);
    }
    TimeChart->RescaleAxes({0, 1, 2});
    TimeChart->Redraw();
}

void TTimeView::ClearTimeDomain() {
    for (int k = 0; k < 3; ++k)
        TimeChart->ClearSeries(k);
    TimeChart->Redraw();
}

QString TTimeView::GetTimeCursorStr() const {
    return ::GetTimeCursorStr(t0TrackBar->value(), t1TrackBar->value(), s_.FSamplePeriod, s_.FVelocity);
}

void TTimeView::DrawTimeCursor() {
    const auto at = [this](const QSlider* t) -> std::optional<double> {
        if (!(s_.FSamplePeriod > 0))
            return std::nullopt;
        return t->value() * s_.FSamplePeriod * 1000;
    };
    TimeChart->DrawCursor(kCursor0, at(t0TrackBar));
    TimeChart->DrawCursor(kCursor1, at(t1TrackBar));
    TimeChart->Redraw();
}

void TTimeView::RefreshTimeCursor() {
    TimeCursorLabel->setText(GetTimeCursorStr());
    DrawTimeCursor();
}

void TTimeView::ResetCursors(int samples) {
    for (QSlider* t : {t0TrackBar, t1TrackBar}) {
        const QSignalBlocker quiet(t);
        t->setRange(0, std::max(samples - 1, 0));
        t->setValue(0);
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
    ShowTimeDomain();
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
