#include "PilePage.h"

#include "Named.h"
#include "RemarkEdit.h"
#include "TFirstPassProject.h"

#include <QAction>
#include <QComboBox>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QPromise>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <map>
#include <utility>

namespace {

// What the first pass reads of the piles, as a text: equal texts give equal passes.
QString whatItReads(const std::vector<TFirstPassPile>& piles, const QString& scheme) {
    const auto number = [](const std::optional<double>& v) {
        return v ? QString::number(*v, 'g', 17) : QStringLiteral("-");
    };
    QString text = scheme;
    for (const TFirstPassPile& p : piles) {
        text += QStringLiteral("|%1/%2:").arg(p.site).arg(p.pile);
        for (const TBlowSet::Blow& b : p.blows)
            text += QString::number(b.row) + ',';
        text += QStringLiteral(";%1;%2;%3;%4;")
                    .arg(number(p.designLength), number(p.diameter), number(p.ownSpeed),
                         number(p.options.threshold));
        for (double e : p.options.excluded)
            text += number(e) + ',';
    }
    return text;
}

} // namespace

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
    SpeedSourceCombo = Verdict->SpeedSourceCombo;
    SpeedSourceLabel = Verdict->SpeedSourceLabel;
    AutoSpeedButton = Verdict->AutoSpeedButton;
    LengthEdit = Verdict->LengthEdit;
    ToeLabel = Verdict->ToeLabel;
    BlowList = Verdict->BlowList;
    ClassCombo = Verdict->ClassCombo;
    RemarkEdit = Verdict->RemarkEdit;
    RemarkPhrasesButton = Verdict->RemarkPhrasesButton;
    ProposalLabel = Verdict->ProposalLabel;
    AcceptButton = Verdict->AcceptButton;
    Splitter = Named(new QSplitter(Qt::Horizontal, this), QStringLiteral("PileSplitter"));
    Splitter->setChildrenCollapsible(false);
    Splitter->addWidget(List);
    Splitter->addWidget(Curves);
    // On a low screen the panel scrolls rather than squeezing its fields.
    auto* verdict = new QScrollArea(Splitter);
    verdict->setWidget(Verdict);
    verdict->setWidgetResizable(true);
    verdict->setFrameShape(QFrame::NoFrame);
    verdict->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verdict->setMinimumWidth(Verdict->minimumSizeHint().width() +
                             style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verdict));
    Splitter->addWidget(verdict);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({720, 420, 260}); // until the list knows its columns
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { splitterSet_ = true; });
    connect(Curves->ChartSplitter, &QSplitter::splitterMoved, this, [this] { chartsSet_ = true; });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Splitter);
    PileList->installEventFilter(this);
    AverageChart->installEventFilter(this);
    Curves->OnChange = Verdict->OnChange = [this](const auto& change) { ChangeVerdict(change); };
    Verdict->Remarks = [this] { return analyser_.Verdicts().Remarks(); };
    connect(List, &TPileList::currentPileChanged, this, [this] { run_([this] { show(true); }); });
    connect(List->Model, &QAbstractItemModel::dataChanged, this, &TPilePage::rowsChanged);
    connect(List->Model, &QAbstractItemModel::modelReset, this, &TPilePage::fitSplitter); // after the columns
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* accept = new QShortcut(keys, this);
        accept->setContext(Qt::WidgetWithChildrenShortcut);
        connect(accept, &QShortcut::activated, this, [this] {
            if (AcceptButton->isEnabled())
                run_([this] { AcceptProposal(); });
        });
    }
    const auto step = [this](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                             const QKeySequence& keys) {
        auto* action = new QAction(style()->standardIcon(icon), text, this);
        action->setObjectName(name);
        action->setShortcut(keys); // on the page; from the window's menu, anywhere in it
        auto* button = Named(new QToolButton(List), name + QStringLiteral("Button"));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        List->AddTool(button);
        return std::pair{action, button};
    };
    std::tie(UndoAction, UndoButton) =
        step(QStringLiteral("PileUndo"), QStringLiteral("Шаг назад"), QStyle::SP_ArrowBack,
             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
    std::tie(RedoAction, RedoButton) =
        step(QStringLiteral("PileRedo"), QStringLiteral("Шаг вперёд"), QStyle::SP_ArrowForward,
             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Y));
    connect(UndoAction, &QAction::triggered, this, [this] { run_([this] { Undo(); }); });
    connect(RedoAction, &QAction::triggered, this, [this] { run_([this] { Redo(); }); });
    showHistory();
    again_.setSingleShot(true);
    again_.setInterval(0);
    connect(&again_, &QTimer::timeout, this, [this] { firstPass(std::exchange(recordsMoved_, false)); });
    connect(&analyser_, &TPileAnalyser::pilesChanged, this, [this] {
        recordsMoved_ = true;
        again_.start();
    });
    connect(&analyser_, &TPileAnalyser::pileChanged, this, [this] { again_.start(); });
}

TPilePage::~TPilePage() = default;

TPilePlace TPilePage::Place() const {
    return {splitterSet_ ? Splitter->sizes() : QList<int>(),
            chartsSet_ ? Curves->ChartSplitter->sizes() : QList<int>(), List->ColumnWidths()};
}

void TPilePage::SetPlace(const TPilePlace& place) {
    if ((splitterSet_ = place.Splitter.size() == Splitter->count()))
        Splitter->setSizes(place.Splitter);
    if ((chartsSet_ = place.Charts.size() == Curves->ChartSplitter->count()))
        Curves->ChartSplitter->setSizes(place.Charts);
    List->SetColumnWidths(place.Columns);
}

void TPilePage::fitSplitter() {
    if (splitterSet_ || List->Model->rowCount() == 0)
        return;
    const int room = Splitter->width() - 2 * Splitter->handleWidth();
    const int verdict = Splitter->widget(2)->minimumWidth();
    const int list = std::clamp(List->FittedWidth(), List->minimumWidth(),
                                std::max(List->minimumWidth(), room - verdict - Curves->minimumWidth()));
    Splitter->setSizes({list, std::max(0, room - list - verdict), verdict});
}

void TPilePage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitSplitter();
}

void TPilePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PileList->setFocus(); // the arrows and the class keys work at once
    if (Stale())
        run_([this] { List->Refresh(); });
    fitSplitter();
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
    recordsMoved_ = true;
    again_.start();
}

void TPilePage::Clear() {
    ClearHistory();
    List->Clear();
    ++generation_; // what runs now is of the project closed
    read_.clear();
    running_ = false;
    List->ShowFirstPassProgress(std::nullopt, 0);
}

void TPilePage::firstPass(bool force) {
    std::vector<TFirstPassPile> piles =
        FirstPassPiles(analyser_.Piles(), analyser_.Measurements(), analyser_.Verdicts());
    const QString scheme = analyser_.Verdicts().Scheme();
    QString read = whatItReads(piles, scheme);
    if (!force && read == read_)
        return; // a class or a mark changed: the proposals stand
    read_ = std::move(read);
    ++generation_;
    running_ = true;
    if (!inFlight_)
        startFirstPass(std::move(piles), scheme);
    // otherwise it starts when the pass that runs ends: one pass at a time shares the cores
}

void TPilePage::startFirstPass(std::vector<TFirstPassPile> piles, const QString& scheme) {
    const std::uint64_t generation = generation_;
    inFlight_ = true;
    std::vector<TPileKey> keys;
    for (const TFirstPassPile& p : piles)
        keys.push_back({p.site, p.pile});
    using Results = std::vector<TFirstPassResult>;
    auto* watcher = new QFutureWatcher<Results>(this);
    connect(watcher, &QFutureWatcherBase::finished, this,
            [this, watcher, generation, keys = std::move(keys)] {
                watcher->deleteLater();
                inFlight_ = false;
                if (generation != generation_) {
                    // The project changed while it ran: read it again as it is now, unless it was closed.
                    if (running_)
                        startFirstPass(
                            FirstPassPiles(analyser_.Piles(), analyser_.Measurements(), analyser_.Verdicts()),
                            analyser_.Verdicts().Scheme());
                    return;
                }
                const Results results = watcher->result();
                std::map<TPileKey, TFirstPassResult> proposals;
                for (std::size_t i = 0; i < keys.size() && i < results.size(); ++i)
                    proposals.emplace(keys[i], results[i]);
                running_ = false;
                List->ShowFirstPassProgress(std::nullopt, 0);
                List->SetProposals(std::move(proposals));
                emit firstPassDone();
            });
    connect(watcher, &QFutureWatcherBase::progressValueChanged, this,
            [this, generation, n = int(piles.size())](int done) {
                if (generation == generation_)
                    List->ShowFirstPassProgress(done, n);
            });
    List->ShowFirstPassProgress(0, int(piles.size()));
    // The piles' records are copies the tables share: the pass reads nothing of the page.
    watcher->setFuture(QtConcurrent::run([piles = std::move(piles), scheme](QPromise<Results>& promise) {
        promise.setProgressRange(0, int(piles.size()));
        try {
            // Called from the pass's threads; the promise takes the value under its lock.
            promise.addResult(RunFirstPass(
                piles, {scheme, std::nullopt, 0, [&promise](int done) { promise.setProgressValue(done); }}));
        } catch (const std::exception&) {
            promise.addResult(Results{}); // no proposals rather than a program gone
        }
    }));
}

// The pile shown again: a new one whole, the same one changed with its zoom.
void TPilePage::show(bool whole) {
    const std::optional<TPileKey> key = CurrentPile();
    shown_ = key ? analyser_.Analyse(*key) : nullptr;
    const TFirstPassResult* proposal = key ? Proposal(*key) : nullptr;
    Curves->Show(shown_, whole, proposal ? std::optional(*proposal) : std::nullopt);
    Verdict->Show(shown_, analyser_.Verdicts().Scheme());
    Verdict->ShowProposal(proposal);
}

// A row of the model changed: the pile shown again when it is one of them.
void TPilePage::rowsChanged(const QModelIndex& first, const QModelIndex& last) {
    const std::optional<TPileKey> key = CurrentPile();
    const std::optional<int> row = key ? List->Model->RowOf(*key) : std::nullopt;
    if (!row || *row < first.row() || *row > last.row())
        return;
    if (first.column() == TPileListModel::kProposed && last.column() == TPileListModel::kProposed) {
        const TFirstPassResult* proposal = Proposal(*key); // only the proposals came
        Verdict->ShowProposal(proposal);
        Curves->ShowProposal(proposal ? std::optional(*proposal) : std::nullopt);
    } else
        show(false);
}

void TPilePage::ChangeVerdict(const std::function<void(TPileVerdict&)>& change) {
    const std::optional<TPileKey> key = CurrentPile();
    if (!key || !shown_)
        return;
    TPileVerdict verdict = shown_->verdict;
    change(verdict);
    if (verdict != shown_->verdict)
        store(*key, shown_->verdict, verdict);
}

void TPilePage::StoreVerdict(TPileKey key, const TPileVerdict& verdict) {
    store(key, analyser_.VerdictOf(key), verdict);
}

// The step is recorded first: storing the verdict shows the pile again, and `before` may be the
// verdict of the snapshot shown until then.
void TPilePage::store(TPileKey key, const TPileVerdict& before, const TPileVerdict& after) {
    history_.Record(key, before, after);
    analyser_.SetVerdict(key, after); // the model's rows and this page follow
    showHistory();
}

void TPilePage::Undo() {
    if (const std::optional<TVerdictStep> step = history_.Undo())
        restore(step->key, step->before);
    showHistory();
}

void TPilePage::Redo() {
    if (const std::optional<TVerdictStep> step = history_.Redo())
        restore(step->key, step->after);
    showHistory();
}

void TPilePage::restore(TPileKey key, const TPileVerdict& verdict) {
    if (CurrentPile() != key)
        List->SelectPile(key); // a pile the filters hide is changed all the same
    analyser_.SetVerdict(key, verdict);
}

void TPilePage::ClearHistory() {
    history_.Clear();
    showHistory();
}

void TPilePage::showHistory() {
    const auto say = [](QAction* action, const QString& text) {
        action->setEnabled(!text.isEmpty());
        action->setToolTip(text.isEmpty() ? action->text() : action->text() + QStringLiteral(": ") + text);
    };
    say(UndoAction, history_.UndoText());
    say(RedoAction, history_.RedoText());
}

void TPilePage::SetClass(const QString& cls) {
    ChangeVerdict([&](TPileVerdict& v) {
        v.cls = cls;
        v.classFirstPass = false; // the engineer's own
    });
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
    // Space and Shift+digit go to the chart while the pointer is over it, even from the list.
    if (Curves->ChartKey(key))
        return true;
    const std::optional<QString> cls =
        shown_ ? TPileList::ClassOfKey(key.text().toUpper(), analyser_.Verdicts().Scheme()) : std::nullopt;
    if (!cls)
        return false;
    run_([this, cls] {
        const std::optional<TPileKey> next = NextPileAfterClass ? List->NextPile() : std::nullopt;
        SetClass(*cls);
        if (next)
            List->SelectPile(*next);
    });
    return true;
}
