#include "PilePage.h"

#include "Named.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

TPilePage::TPilePage(TPileAnalyser& analyser, THandlerRunner run, QWidget* parent)
    : QWidget(parent), List(new TPileList(analyser, this)), Curves(new TPileCurvePanel(run, this)),
      Verdict(new TPileVerdictPanel(run, this)), ChooseMarkKind(Curves->ChooseMarkKind), analyser_(analyser),
      run_(std::move(run)) {
    setObjectName(QStringLiteral("PileTabSheet"));
    SiteFilter = List->SiteFilter;
    PileList = List->PileList;
    AverageChart = Curves->AverageChart;
    Sensor2Check = Curves->Sensor2Check;
    SpeedEdit = Verdict->SpeedEdit;
    SpeedSourceLabel = Verdict->SpeedSourceLabel;
    AutoSpeedButton = Verdict->AutoSpeedButton;
    LengthEdit = Verdict->LengthEdit;
    ToeLabel = Verdict->ToeLabel;
    BlowList = Verdict->BlowList;
    ClassCombo = Verdict->ClassCombo;
    RemarkEdit = Verdict->RemarkEdit;
    Splitter = Named(new QSplitter(Qt::Horizontal, this), QStringLiteral("PileSplitter"));
    Splitter->setChildrenCollapsible(false);
    Splitter->addWidget(List);
    Splitter->addWidget(Curves);
    Splitter->addWidget(Verdict);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({420, 520, 260});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Splitter);
    PileList->installEventFilter(this);
    AverageChart->installEventFilter(this);
    Curves->OnChange = Verdict->OnChange = [this](const auto& change) { ChangeVerdict(change); };
    connect(List, &TPileList::currentPileChanged, this, [this] { run_([this] { show(true); }); });
    connect(List->Model, &QAbstractItemModel::dataChanged, this, &TPilePage::rowsChanged);
}

TPilePage::~TPilePage() = default;

void TPilePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PileList->setFocus(); // the arrows and the class keys work at once
    if (Stale())
        run_([this] { List->Refresh(); });
    List->Model->SetFollowed(true);
}

void TPilePage::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    List->Model->SetFollowed(false);
}

void TPilePage::Refresh() {
    if (isVisible())
        List->Refresh();
    // otherwise the model is stale and lists the piles when the page is shown
}

void TPilePage::Clear() {
    List->Clear();
}

// The pile shown again: a new one whole, the same one changed with its zoom.
void TPilePage::show(bool whole) {
    const std::optional<TPileKey> key = CurrentPile();
    shown_ = key ? analyser_.Analyse(*key) : nullptr;
    Curves->Show(shown_, whole);
    Verdict->Show(shown_, analyser_.Verdicts().Scheme());
}

// A row of the model changed: the pile shown again when it is one of them.
void TPilePage::rowsChanged(const QModelIndex& first, const QModelIndex& last) {
    const std::optional<TPileKey> key = CurrentPile();
    const std::optional<int> row = key ? List->Model->RowOf(*key) : std::nullopt;
    if (row && *row >= first.row() && *row <= last.row())
        show(false);
}

void TPilePage::ChangeVerdict(const std::function<void(TPileVerdict&)>& change) {
    const std::optional<TPileKey> key = CurrentPile();
    if (!key || !shown_)
        return;
    TPileVerdict verdict = shown_->verdict;
    change(verdict);
    if (verdict != shown_->verdict)
        analyser_.SetVerdict(*key, verdict); // the model's rows and this page follow
}

void TPilePage::StoreVerdict(TPileKey key, const TPileVerdict& verdict) {
    analyser_.SetVerdict(key, verdict);
}

void TPilePage::SetClass(const QString& cls) {
    ChangeVerdict([&](TPileVerdict& v) { v.cls = cls; });
}

bool TPilePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != PileList && watched != AverageChart))
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<QKeyEvent&>(*event);
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (key.key() == Qt::Key_Delete) {
        run_([this] { Curves->RemoveSelectedMark(); });
        return true;
    }
    if (watched == AverageChart && key.key() == Qt::Key_Home) {
        Curves->Redraw(); // the whole curve again
        return true;
    }
    const std::optional<QString> cls =
        shown_ ? TPileList::ClassOfKey(key.text().toUpper(), analyser_.Verdicts().Scheme()) : std::nullopt;
    if (!cls)
        return false;
    run_([this, cls] { SetClass(*cls); });
    return true;
}
