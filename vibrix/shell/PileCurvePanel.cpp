#include "PileCurvePanel.h"

#include "ChartInteraction.h"
#include "Named.h"
#include "PileTexts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

TPileCurvePanel::TPileCurvePanel(THandlerRunner run, QWidget* parent)
    : QWidget(parent), run_(std::move(run)) {
    AverageChart = Named(new QCustomPlot(this), QStringLiteral("PileAverageChart"));
    AverageChart->setFocusPolicy(Qt::ClickFocus);
    AverageChart->setSelectionRectMode(QCP::srmZoom);
    AverageChart->setNoAntialiasingOnDrag(true);
    AverageChart->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmBuffered);
    AverageInteraction = new TChartInteraction(AverageChart);
    AverageInteraction->OnDoubleClick = [this](QPoint at) { run_([this, at] { doubleClicked(at); }); };
    AverageInteraction->OnDragFinished = [this] { run_([this] { dragFinished(); }); };
    AverageInteraction->OnPointer = [this](std::optional<QPoint>) { readOut(); };
    ReadoutLabel = Named(new QLabel(AverageChart), QStringLiteral("PileReadoutLabel"));
    ReadoutLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    // In the upper left corner, above the depth numbers' column: the time axis's title takes the
    // middle of the top, and on a narrow chart reaches into its right part.
    ReadoutLabel->move(4, 4);
    ReadoutLabel->hide();
    // Line 0 is the toe, line i the defect i - 1: as many as the verdict has.
    AverageInteraction->AddDraggables(
        {[this] { return markDepths(); }, [this](int line, double depth) { markDragged(line - 1, depth); }});
    ProfileChart = Named(new QCustomPlot(this), QStringLiteral("PileProfileChart"));
    ProfileChart->setMinimumHeight(70);
    // The profile follows the average's depths as it is zoomed and moved.
    connect(AverageChart->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), ProfileChart,
            [this](const QCPRange& depths) {
                if (ProfileChart->xAxis->range() == depths)
                    return;
                ProfileChart->xAxis->setRange(depths);
                ProfileChart->replot(QCustomPlot::rpQueuedReplot);
            });
    MobilityChart = Named(new QCustomPlot(this), QStringLiteral("PileMobilityChart"));
    auto* charts = ChartSplitter = new QSplitter(Qt::Vertical, this);
    charts->addWidget(AverageChart);
    charts->addWidget(ProfileChart);
    charts->addWidget(MobilityChart);
    charts->setStretchFactor(0, 3);
    charts->setStretchFactor(1, 1);
    charts->setStretchFactor(2, 2);
    charts->setSizes({300, 100, 200});
    for (QCustomPlot* chart : {AverageChart, ProfileChart, MobilityChart}) {
        chart->setPlottingHint(QCP::phFastPolylines);
        // A chart paints all of itself from its buffer: nothing beneath it needs painting first.
        chart->setAttribute(Qt::WA_OpaquePaintEvent);
        // Fewer numbers along a narrow chart, so that they stay apart.
        connect(chart, &QCustomPlot::beforeReplot, chart, [chart] {
            for (QCPAxis* axis : {chart->xAxis, chart->xAxis2})
                axis->ticker()->setTickCount(std::clamp(chart->width() / 100, 2, 6));
        });
    }
    auto* m = new QVBoxLayout(this);
    m->setContentsMargins(0, 0, 0, 0);
    QWidget* boxes = makeBoxes();
    m->addWidget(boxes);
    m->addWidget(charts, 1);
    // As narrow as the row of boxes allows: at 1024 px the list keeps all its columns beside it.
    setMinimumWidth(std::max(240, boxes->sizeHint().width()));
    ChooseMarkKind = [this](QPoint global) -> std::optional<QString> {
        QMenu menu(this);
        menu.addAction(ToeKind())->setData(ToeKind());
        menu.addSeparator();
        for (const QString& kind : DefectKinds())
            menu.addAction(kind)->setData(kind);
        const QAction* chosen = menu.exec(global);
        return chosen ? std::optional(chosen->data().toString()) : std::nullopt;
    };
}

QWidget* TPileCurvePanel::makeBoxes() {
    auto* row = new QWidget(this);
    Sensor2Check = Named(new QCheckBox(QStringLiteral("Датчик №2"), row), QStringLiteral("Sensor2Check"));
    HammerCheck = Named(new QCheckBox(QStringLiteral("Молоток"), row), QStringLiteral("HammerCheck"));
    BlowsCheck = Named(new QCheckBox(QStringLiteral("Удары"), row), QStringLiteral("BlowsCheck"));
    BlowsCheck->setToolTip(QStringLiteral("Каждый удар, вошедший в среднее, — бледной линией за ним"));
    for (QCheckBox* box : {Sensor2Check, HammerCheck, BlowsCheck}) {
        // A click leaves the keys where they were (the list or the chart): Space over the chart
        // still puts the toe, not the box's state.
        box->setFocusPolicy(Qt::TabFocus);
        connect(box, &QCheckBox::toggled, this, [this] {
            chartOptions_.sensor2 = Sensor2Check->isChecked();
            chartOptions_.hammer = HammerCheck->isChecked();
            chartOptions_.blows = BlowsCheck->isChecked();
            Redraw();
        });
    }
    auto* boxes = new QHBoxLayout(row);
    boxes->setContentsMargins(0, 0, 0, 0);
    boxes->addWidget(Sensor2Check); // no caption: the row stands whole on the narrowest panel
    Sensor2Check->setToolTip(QStringLiteral("Показать средний сигнал датчика №2"));
    HammerCheck->setToolTip(QStringLiteral("Показать средний сигнал молотка"));
    boxes->addWidget(HammerCheck);
    boxes->addWidget(BlowsCheck);
    boxes->addStretch(1);
    return row;
}

// Where the marks stand: the one being dragged where the mouse has it.
std::vector<std::optional<double>> TPileCurvePanel::markDepths() const {
    if (!shown_ || !(shown_->waveSpeed > 0))
        return {};
    std::vector<std::optional<double>> depths;
    depths.push_back(shown_->toeTime ? std::optional(shown_->Depth(*shown_->toeTime)) : std::nullopt);
    for (const TDefectMark& d : shown_->verdict.defects)
        depths.push_back(shown_->Depth(d.time));
    if (dragged_ && std::size_t(dragged_->first + 1) < depths.size())
        depths[std::size_t(dragged_->first + 1)] = dragged_->second;
    return depths;
}

void TPileCurvePanel::Show(std::shared_ptr<const TPileAnalysis> a, bool whole,
                           std::optional<TFirstPassResult> proposal) {
    const bool samePile = shown_ && a && shown_->key == a->key;
    shown_ = std::move(a);
    proposal_ = std::move(proposal);
    dragged_.reset();
    if (whole || !samePile) {
        selectedMark_.reset();
        AverageChart->xAxis->setRange(0, 1); // a new pile is shown whole
        Redraw();
        return;
    }
    const QCPRange x = AverageChart->xAxis->range(), y = AverageChart->yAxis->range();
    const bool zoomed = x != home_[0] || y != home_[1];
    Redraw();
    if (zoomed) {
        AverageChart->xAxis->setRange(x);
        AverageChart->yAxis->setRange(y);
        AverageChart->replot(QCustomPlot::rpQueuedReplot);
    }
}

void TPileCurvePanel::ShowProposal(std::optional<TFirstPassResult> proposal) {
    proposal_ = std::move(proposal);
    drawProposal();
    AverageChart->replot(QCustomPlot::rpQueuedReplot);
    ProfileChart->replot(QCustomPlot::rpQueuedReplot);
}

void TPileCurvePanel::drawProposal() {
    if (!shown_) {
        ProfileChart->clearGraphs();
        ProfileChart->clearItems();
        return;
    }
    if (proposal_)
        ShowFirstPassFindings(*AverageChart, *shown_, *proposal_);
    else
        ShowFirstPassFindings(*AverageChart, *shown_, TFirstPassResult{});
    ShowPileProfile(*ProfileChart, *shown_, proposal_ ? &*proposal_ : nullptr, AverageChart->xAxis->range());
}

void TPileCurvePanel::Redraw() {
    if (shown_) {
        ShowPileAverage(*AverageChart, *shown_, chartOptions_);
        home_[0] = AverageChart->xAxis->range();
        home_[1] = AverageChart->yAxis->range();
        ShowPileMobility(*MobilityChart, *shown_);
    } else {
        ProfileChart->clearGraphs();
        ProfileChart->clearItems();
        AverageChart->clearGraphs();
        AverageChart->clearItems();
        MobilityChart->clearGraphs();
        MobilityChart->clearItems();
    }
    if (shown_)
        drawProposal();
    showSelection();
    readOut(false);
    AverageChart->replot(QCustomPlot::rpQueuedReplot); // the charts in one paint
    ProfileChart->replot(QCustomPlot::rpQueuedReplot);
    MobilityChart->replot(QCustomPlot::rpQueuedReplot);
}

void TPileCurvePanel::AddMark(const QString& kind, double depth) {
    if (!shown_ || !(shown_->waveSpeed > 0) || !OnChange)
        return;
    const double time = shown_->Time(depth);
    // Selected first: the change draws the chart again, and the new mark selected.
    if (kind == ToeKind()) {
        selectedMark_ = -1;
        OnChange([&](TPileVerdict& v) {
            v.toeTime = time;
            v.toeRemoved = false;
        });
    } else {
        selectedMark_ = int(shown_->verdict.defects.size());
        OnChange([&](TPileVerdict& v) { v.defects.push_back({time, kind}); });
    }
    showSelection();
}

void TPileCurvePanel::PutToeNear(double depth) {
    if (!shown_ || !shown_->curves || !(shown_->waveSpeed > 0) || !OnChange)
        return;
    if (const std::optional<double> echo = NearestToeExtremum(*shown_->curves, shown_->Time(depth)))
        AddMark(ToeKind(), shown_->Depth(*echo));
}

namespace {

// The digit 1...5 of a key pressed with Shift, whichever layout is on: the digit itself where the
// layout gives it with Shift, or what the common layouts put on those keys (US: !@#$%, Russian:
// !"№;%, German: !"§$%), or the key's virtual code where the system gives one by the digit.
std::optional<int> shiftedDigit(const QKeyEvent& key) {
    if (!key.modifiers().testFlag(Qt::ShiftModifier))
        return std::nullopt;
    switch (key.key()) {
    case Qt::Key_1:
    case Qt::Key_Exclam:
        return 1;
    case Qt::Key_2:
    case Qt::Key_At:
    case Qt::Key_QuoteDbl:
        return 2;
    case Qt::Key_3:
    case Qt::Key_NumberSign:
    case Qt::Key_section:
    case 0x2116: // №
        return 3;
    case Qt::Key_4:
    case Qt::Key_Dollar:
    case Qt::Key_Semicolon:
        return 4;
    case Qt::Key_5:
    case Qt::Key_Percent:
        return 5;
    default:
        break;
    }
    const quint32 code = key.nativeVirtualKey();
    if (code >= '1' && code <= '5')
        return int(code - '0');
    return std::nullopt;
}

} // namespace

bool TPileCurvePanel::ChartKey(const QKeyEvent& key) {
    const std::optional<QPoint> at = AverageInteraction->Pointer();
    if (!at || !shown_ || key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const double depth = AverageChart->xAxis->pixelToCoord(at->x());
    if (key.key() == Qt::Key_Space && !key.modifiers().testFlag(Qt::ShiftModifier)) {
        run_([this, depth] { PutToeNear(depth); });
        return true;
    }
    const std::optional<int> digit = shiftedDigit(key);
    if (!digit || *digit > int(DefectKinds().size()))
        return false;
    run_([this, depth, kind = DefectKinds()[*digit - 1]] { AddMark(kind, depth); });
    return true;
}

void TPileCurvePanel::RemoveSelectedMark() {
    if (!shown_ || !selectedMark_ || !OnChange)
        return;
    const int mark = *selectedMark_;
    selectedMark_.reset();
    OnChange([mark](TPileVerdict& v) {
        if (mark < 0) { // the automatic pick must not come back in its place
            v.toeTime.reset();
            v.toeRemoved = true;
        } else if (std::size_t(mark) < v.defects.size())
            v.defects.erase(v.defects.begin() + mark);
    });
}

void TPileCurvePanel::doubleClicked(QPoint at) {
    if (!shown_ || !shown_->curves)
        return;
    const double depth = AverageChart->xAxis->pixelToCoord(at.x());
    if (const std::optional<QString> kind = ChooseMarkKind(AverageChart->mapToGlobal(at)))
        AddMark(*kind, depth);
}

// While the mouse moves only the mark and the overlay are drawn again; the verdict takes the
// mark when it is let go.
void TPileCurvePanel::markDragged(int mark, double depth) {
    const bool moved = dragged_ && dragged_->first == mark;
    selectedMark_ = mark;
    dragged_ = {mark, depth};
    if (!moved)
        pressDepth_ = depth;
    PlacePileMark(*AverageChart, mark, depth);
    showSelection();
    AverageChart->layer(QStringLiteral("overlay"))->replot(); // the whole chart when its buffers are stale
}

void TPileCurvePanel::dragFinished() {
    if (!dragged_ || !shown_ || !OnChange)
        return;
    // Named copies: clang 14 cannot capture a structured binding in a lambda.
    const int mark = dragged_->first;
    const double depth = dragged_->second;
    dragged_.reset();
    if (depth == pressDepth_) // taken and let go: only selected
        return;
    const double time = shown_->Time(depth);
    OnChange([mark, time](TPileVerdict& v) {
        if (mark < 0) {
            v.toeTime = time;
            v.toeRemoved = false;
        } else if (std::size_t(mark) < v.defects.size())
            v.defects[std::size_t(mark)] = {time, v.defects[std::size_t(mark)].kind}; // the engineer's now
    });
}

void TPileCurvePanel::showSelection() {
    SelectPileMark(*AverageChart, selectedMark_);
}

void TPileCurvePanel::readOut(bool replot) {
    const std::optional<QPoint> at = AverageInteraction->Pointer();
    if (!at || !shown_ || !shown_->curves || !(shown_->waveSpeed > 0)) {
        if (ReadoutLabel->isVisible()) {
            ReadoutLabel->hide();
            NotePileMark(*AverageChart, std::nullopt, {});
            if (replot)
                AverageChart->layer(QStringLiteral("overlay"))->replot();
        }
        return;
    }
    // The mark dragged or under the pointer reads where it stands; otherwise the pointer's place.
    std::optional<int> mark = dragged_ ? std::optional(dragged_->first) : std::nullopt;
    if (!mark)
        mark = PileMarkAt(*AverageChart, at->x(), TChartInteraction::kGrip);
    const std::vector<std::optional<double>> depths = markDepths();
    std::optional<double> depth;
    if (mark && std::size_t(*mark + 1) < depths.size())
        depth = depths[std::size_t(*mark + 1)];
    if (!depth)
        mark.reset();
    const double d = depth.value_or(AverageChart->xAxis->pixelToCoord(at->x()));
    const QString reading = piletexts::DepthAndTime(d, shown_->Time(d));
    ReadoutLabel->setText(reading); // a mark's label says which mark it is
    ReadoutLabel->adjustSize();
    ReadoutLabel->show();
    NotePileMark(*AverageChart, mark, mark ? reading : QString());
    if (replot) // only the marks' layer: the curves stay as they are
        AverageChart->layer(QStringLiteral("overlay"))->replot();
}
