#include "PilePage.h"

#include "ChartInteraction.h"
#include "DownloadUnit.h"
#include "MainDataModuleUnit.h"
#include "Named.h"
#include "NumberEdit.h"
#include "NumberFormat.h"
#include "ParameterEdit.h"
#include "TableObserver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <qcustomplot.h>

#include <algorithm>

namespace {

enum Column { kSite, kPile, kBlows, kLength, kSpeed, kSource, kToe, kClass, kColumns };
const char* const kCaptions[] = {"Участок", "Свая",     "Удары",      "L, м",
                                 "c, м/с",  "Источник", "Подошва, м", "Класс"};
enum BlowColumn { kBlowUsed, kBlowTime, kBlowCorrelation, kBlowReason, kBlowColumns };
constexpr int kMostDefects = 32; // the defect marks a drag can take, besides the toe
constexpr int kSortKey = Qt::UserRole + 1;
constexpr int kPileKey = Qt::UserRole + 2;

QString number(const std::optional<double>& v, const char* pattern) {
    return v ? FormatFloat(QString::fromLatin1(pattern), *v) : QString();
}

// A cell that sorts by its number (a pile without one goes first) and shows it in the
// program's format.
class NumberItem : public QTableWidgetItem {
public:
    NumberItem(const std::optional<double>& v, const char* pattern) : QTableWidgetItem(number(v, pattern)) {
        setData(kSortKey, v ? *v : -1e300);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant b = other.data(kSortKey);
        return b.isValid() ? data(kSortKey).toDouble() < b.toDouble() : QTableWidgetItem::operator<(other);
    }
};

// Marks the list out of date when records come or go, or a table is loaded again.
class TableWatch : public vxds::TableObserver {
public:
    TableWatch(vxds::DataTable& table, bool& stale, bool rows) : table_(table), stale_(stale), rows_(rows) {
        table_.addObserver(this);
    }
    ~TableWatch() override { table_.removeObserver(this); }
    void rowInserted(int) override { stale_ = stale_ || rows_; }
    void rowRemoved(int) override { stale_ = stale_ || rows_; }
    void rowChanged(int) override {}
    void tableReset() override { stale_ = true; }
    void currentChanged(int) override {}

private:
    vxds::DataTable& table_;
    bool& stale_;
    bool rows_;
};

QTableWidget* table(const QString& name, const QStringList& captions, QWidget* parent) {
    auto* t = Named(new QTableWidget(0, int(captions.size()), parent), name);
    t->setHorizontalHeaderLabels(captions);
    t->verticalHeader()->hide();
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

} // namespace

TPilePage::TPilePage(TMainDataModule& dm, THandlerRunner run, QWidget* parent)
    : QWidget(parent), dm_(dm), run_(std::move(run)), analyser_(std::make_unique<TPileAnalyser>(dm)) {
    setObjectName(QStringLiteral("PileTabSheet"));
    watches_.push_back(std::make_unique<TableWatch>(dm.cdsVibrix, stale_, true));
    watches_.push_back(std::make_unique<TableWatch>(dm.cdsVerdict, stale_, false));
    Splitter = Named(new QSplitter(Qt::Horizontal, this), QStringLiteral("PileSplitter"));
    Splitter->setChildrenCollapsible(false);
    Splitter->addWidget(makeList());
    Splitter->addWidget(makeCharts());
    Splitter->addWidget(makeControls());
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({420, 520, 260});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Splitter);
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

TPilePage::~TPilePage() = default;

QWidget* TPilePage::makeList() {
    auto* left = new QWidget(this);
    SiteFilter = Named(new QComboBox(left), QStringLiteral("SiteFilter"));
    QStringList captions;
    for (const char* c : kCaptions)
        captions << QString::fromUtf8(c);
    PileList = table(QStringLiteral("PileList"), captions, left);
    PileList->installEventFilter(this);
    PileList->horizontalHeader()->setSortIndicator(kSite, Qt::AscendingOrder);
    auto* l = new QVBoxLayout(left);
    l->setContentsMargins(0, 0, 0, 0);
    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(QStringLiteral("Участок:"), left));
    filter->addWidget(SiteFilter, 1);
    l->addLayout(filter);
    l->addWidget(PileList, 1);
    left->setMinimumWidth(260);
    connect(SiteFilter, &QComboBox::activated, this, [this] { run_([this] { fillList(); }); });
    connect(PileList, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous) {
        if (row != previous && !filling_)
            run_([this] { showCurrent(); });
    });
    return left;
}

QWidget* TPilePage::makeCharts() {
    auto* middle = new QWidget(this);
    AverageChart = Named(new QCustomPlot(middle), QStringLiteral("PileAverageChart"));
    AverageChart->setFocusPolicy(Qt::ClickFocus);
    AverageChart->setSelectionRectMode(QCP::srmZoom);
    AverageChart->setNoAntialiasingOnDrag(true);
    AverageChart->layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmBuffered);
    AverageChart->installEventFilter(this);
    AverageInteraction = new TChartInteraction(AverageChart);
    AverageInteraction->OnDoubleClick = [this](QPoint at) { run_([this, at] { doubleClicked(at); }); };
    AverageInteraction->OnDragFinished = [this] { run_([this] { dragFinished(); }); };
    for (int mark = -1; mark < kMostDefects; ++mark)
        AverageInteraction->AddDraggable(
            {[this, mark]() -> std::optional<double> {
                 if (dragged_ && dragged_->first == mark)
                     return dragged_->second;
                 if (!shown_ || !(shown_->waveSpeed > 0))
                     return std::nullopt;
                 if (mark < 0)
                     return shown_->toeTime ? std::optional(shown_->Depth(*shown_->toeTime)) : std::nullopt;
                 const auto& defects = shown_->verdict.defects;
                 return std::size_t(mark) < defects.size()
                            ? std::optional(shown_->Depth(defects[std::size_t(mark)].time))
                            : std::nullopt;
             },
             [this, mark](double depth) { markDragged(mark, depth); }});
    MobilityChart = Named(new QCustomPlot(middle), QStringLiteral("PileMobilityChart"));
    for (QCustomPlot* chart : {AverageChart, MobilityChart})
        chart->setPlottingHint(QCP::phFastPolylines);
    Sensor2Check = Named(new QCheckBox(QStringLiteral("Датчик №2"), middle), QStringLiteral("Sensor2Check"));
    HammerCheck = Named(new QCheckBox(QStringLiteral("Молоток"), middle), QStringLiteral("HammerCheck"));
    for (QCheckBox* box : {Sensor2Check, HammerCheck})
        connect(box, &QCheckBox::toggled, this, [this] {
            chartOptions_.sensor2 = Sensor2Check->isChecked();
            chartOptions_.hammer = HammerCheck->isChecked();
            Redraw();
        });
    auto* charts = new QSplitter(Qt::Vertical, middle);
    charts->addWidget(AverageChart);
    charts->addWidget(MobilityChart);
    charts->setStretchFactor(0, 3);
    charts->setStretchFactor(1, 2);
    auto* m = new QVBoxLayout(middle);
    m->setContentsMargins(0, 0, 0, 0);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(new QLabel(QStringLiteral("Показать:"), middle));
    boxes->addWidget(Sensor2Check);
    boxes->addWidget(HammerCheck);
    boxes->addStretch(1);
    // A chart paints all of itself from its buffer: nothing beneath it needs painting first.
    for (QCustomPlot* chart : {AverageChart, MobilityChart})
        chart->setAttribute(Qt::WA_OpaquePaintEvent);
    m->addLayout(boxes);
    m->addWidget(charts, 1);
    middle->setMinimumWidth(360);
    return middle;
}

void TPilePage::applyNumber(TNumberEdit* edit,
                            const std::function<void(TPileVerdict&, std::optional<double>)>& set,
                            double least) {
    connect(edit, &TNumberEdit::entered, this, [this, edit, set, least] {
        run_([&] {
            const QString text = edit->text().trimmed();
            bool ok = false;
            const double value = QLocale().toDouble(text, &ok);
            if (text.isEmpty())
                ChangeVerdict([&](TPileVerdict& v) { set(v, std::nullopt); });
            else if (ok && std::isfinite(value) && value >= least)
                ChangeVerdict([&](TPileVerdict& v) { set(v, value); });
            else if (shown_)
                showControls(*shown_); // a value that cannot be: the one in force again
        });
    });
}

QWidget* TPilePage::makeControls() {
    auto* right = new QWidget(this);
    auto* speed = new QGroupBox(QStringLiteral("Скорость волны"), right);
    SpeedEdit = new TNumberEdit(QStringLiteral("SpeedEdit"), speed);
    SpeedSourceLabel = Named(new QLabel(speed), QStringLiteral("SpeedSourceLabel"));
    AutoSpeedButton =
        Named(new QPushButton(QStringLiteral("Авто"), speed), QStringLiteral("AutoSpeedButton"));
    AutoSpeedButton->setToolTip(QStringLiteral("Скорость, которую выбирает обработка"));
    auto* s = new QGridLayout(speed);
    s->addWidget(new QLabel(QStringLiteral("c, м/с:"), speed), 0, 0);
    s->addWidget(SpeedEdit, 0, 1);
    s->addWidget(AutoSpeedButton, 0, 2);
    s->addWidget(SpeedSourceLabel, 1, 0, 1, 3);
    applyNumber(
        SpeedEdit, [](TPileVerdict& v, std::optional<double> c) { v.speed = c; }, 1000);
    connect(AutoSpeedButton, &QPushButton::clicked, this,
            [this] { run_([this] { ChangeVerdict([](TPileVerdict& v) { v.speed.reset(); }); }); });

    auto* pile = new QGroupBox(QStringLiteral("Свая и обработка"), right);
    LengthEdit = new TNumberEdit(QStringLiteral("LengthEdit"), pile);
    DiameterEdit = new TNumberEdit(QStringLiteral("DiameterEdit"), pile);
    LowPassEdit = new TNumberEdit(QStringLiteral("LowPassEdit"), pile);
    AmplifyEdit = new TNumberEdit(QStringLiteral("AmplifyEdit"), pile);
    ToeLabel = Named(new QLabel(pile), QStringLiteral("ToeLabel"));
    ToeLabel->setWordWrap(true);
    auto* f = new QFormLayout(pile);
    f->addRow(QStringLiteral("Длина по проекту, м:"), LengthEdit);
    f->addRow(QStringLiteral("Диаметр, м:"), DiameterEdit);
    f->addRow(QStringLiteral("Фильтр НЧ, Гц:"), LowPassEdit);
    f->addRow(QStringLiteral("Усиление G:"), AmplifyEdit);
    f->addRow(ToeLabel);
    applyNumber(
        LengthEdit, [](TPileVerdict& v, std::optional<double> l) { v.length = l; }, 0.1);
    applyNumber(
        DiameterEdit, [](TPileVerdict& v, std::optional<double> d) { v.diameter = d; }, 0.01);
    applyNumber(
        LowPassEdit, [](TPileVerdict& v, std::optional<double> f) { v.processing.lowpass = f.value_or(0); },
        0);
    applyNumber(
        AmplifyEdit, [](TPileVerdict& v, std::optional<double> g) { v.processing.amplify = g.value_or(1); },
        1);

    auto* blows = new QGroupBox(QStringLiteral("Удары"), right);
    BlowList = table(
        QStringLiteral("BlowList"),
        {QString(), QStringLiteral("Время"), QStringLiteral("Корр."), QStringLiteral("Примечание")}, blows);
    BlowList->setSelectionMode(QAbstractItemView::NoSelection);
    BlowList->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    BlowList->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics m = BlowList->fontMetrics();
    BlowList->setColumnWidth(kBlowUsed, m.height() + 12);
    BlowList->setColumnWidth(kBlowTime, m.horizontalAdvance(QStringLiteral("88:88:88")) + 12);
    BlowList->setColumnWidth(kBlowCorrelation, m.horizontalAdvance(QStringLiteral("Корр.")) + 16);
    auto* b = new QVBoxLayout(blows);
    b->addWidget(BlowList);
    connect(BlowList, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() == kBlowUsed)
            run_([this, item] { blowToggled(item->row(), item->checkState() == Qt::Checked); });
    });

    auto* verdict = new QGroupBox(QStringLiteral("Заключение"), right);
    ClassCombo = Named(new QComboBox(verdict), QStringLiteral("ClassCombo"));
    RemarkEdit = Named(new QLineEdit(verdict), QStringLiteral("RemarkEdit"));
    auto* v = new QFormLayout(verdict);
    v->addRow(QStringLiteral("Класс:"), ClassCombo);
    v->addRow(QStringLiteral("Примечание:"), RemarkEdit);
    connect(ClassCombo, &QComboBox::activated, this,
            [this] { run_([this] { SetClass(ClassCombo->currentData().toString()); }); });
    connect(RemarkEdit, &QLineEdit::editingFinished, this, [this] {
        if (!filling_ && shown_ && RemarkEdit->text() != shown_->verdict.remark)
            run_(
                [this] { ChangeVerdict([text = RemarkEdit->text()](TPileVerdict& v) { v.remark = text; }); });
    });

    auto* r = new QVBoxLayout(right);
    r->setContentsMargins(0, 0, 0, 0);
    r->addWidget(speed);
    r->addWidget(pile);
    r->addWidget(blows, 1);
    r->addWidget(verdict);
    right->setMinimumWidth(250);
    right->setEnabled(false);
    return right;
}

void TPilePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    PileList->setFocus(); // the arrows and the class keys work at once
    if (stale_)
        run_([this] { Refresh(); });
}

void TPilePage::Refresh() {
    if (!isVisible()) {
        stale_ = true; // when the page is shown next
        return;
    }
    stale_ = false;
    const QVariant site = SiteFilter->currentData();
    SiteFilter->clear();
    SiteFilter->addItem(QStringLiteral("все участки"));
    for (int s : analyser_->Sites())
        SiteFilter->addItem(QString::number(s), s);
    SiteFilter->setCurrentIndex(std::max(0, SiteFilter->findData(site)));
    fillList();
}

void TPilePage::Clear() {
    filling_ = true;
    PileList->setRowCount(0);
    SiteFilter->clear();
    filling_ = false;
    stale_ = true;
    showCurrent();
}

void TPilePage::fillList() {
    const std::optional<TPileKey> current = CurrentPile();
    const QVariant site = SiteFilter->currentData();
    filling_ = true;
    PileList->setSortingEnabled(false);
    PileList->setRowCount(0);
    for (const TPileRows& p : analyser_->Piles()) {
        if (site.isValid() && p.key.site != site.toInt())
            continue;
        const int row = PileList->rowCount();
        PileList->insertRow(row);
        fillRow(row, analyser_->Analyse(p.key));
    }
    PileList->setSortingEnabled(true);
    const int row = current ? rowOf(*current) : -1;
    PileList->setCurrentCell(row >= 0 ? row : (PileList->rowCount() > 0 ? 0 : -1), kPile);
    filling_ = false;
    showCurrent();
}

void TPilePage::fillRow(int row, const TPileAnalysis& a) {
    const bool sorting = PileList->isSortingEnabled();
    PileList->setSortingEnabled(false); // the row stays where it is while its cells are written
    const auto text = [](const QString& t) { return new QTableWidgetItem(t); };
    auto* site = new NumberItem(double(a.key.site), "0");
    site->setData(kPileKey, QVariant::fromValue(QPoint(a.key.site, a.key.pile)));
    PileList->setItem(row, kSite, site);
    PileList->setItem(row, kPile, new NumberItem(double(a.key.pile), "0"));
    auto* blows = new NumberItem(double(a.used), "0");
    blows->setText(QStringLiteral("%1 / %2").arg(a.used).arg(a.blows.size()));
    PileList->setItem(row, kBlows, blows);
    PileList->setItem(row, kLength, new NumberItem(a.verdict.length, "0.00"));
    PileList->setItem(row, kSpeed,
                      new NumberItem(a.waveSpeed > 0 ? std::optional(a.waveSpeed) : std::nullopt, "0"));
    PileList->setItem(row, kSource, text(a.waveSpeed > 0 ? SpeedSourceText(a.waveSpeedSource) : QString()));
    PileList->setItem(row, kToe, new NumberItem(a.toeDepth, "0.00"));
    PileList->setItem(row, kClass, text(a.verdict.cls));
    PileList->setSortingEnabled(sorting);
}

int TPilePage::rowOf(TPileKey key) const {
    for (int row = 0; row < PileList->rowCount(); ++row)
        if (const QTableWidgetItem* item = PileList->item(row, kSite))
            if (item->data(kPileKey).toPoint() == QPoint(key.site, key.pile))
                return row;
    return -1;
}

std::optional<TPileKey> TPilePage::CurrentPile() const {
    const QTableWidgetItem* item = PileList->item(PileList->currentRow(), kSite);
    if (!item)
        return std::nullopt;
    const QPoint key = item->data(kPileKey).toPoint();
    return TPileKey{key.x(), key.y()};
}

bool TPilePage::SelectPile(TPileKey key) {
    const int row = rowOf(key);
    if (row >= 0)
        PileList->setCurrentCell(row, kPile);
    return row >= 0;
}

void TPilePage::showCurrent() {
    selectedMark_.reset();
    dragged_.reset();
    AverageChart->xAxis->setRange(0, 1); // a new pile is shown whole
    const std::optional<TPileKey> key = CurrentPile();
    shown_ = key ? &analyser_->Analyse(*key) : nullptr;
    Splitter->widget(2)->setEnabled(shown_ != nullptr);
    Redraw();
    if (shown_)
        showControls(*shown_);
}

void TPilePage::Redraw() {
    if (shown_) {
        ShowPileAverage(*AverageChart, *shown_, chartOptions_);
        home_[0] = AverageChart->xAxis->range();
        home_[1] = AverageChart->yAxis->range();
        ShowPileMobility(*MobilityChart, *shown_);
    } else {
        AverageChart->clearGraphs();
        AverageChart->clearItems();
        MobilityChart->clearGraphs();
        MobilityChart->clearItems();
    }
    AverageChart->replot(QCustomPlot::rpQueuedReplot); // both charts in one paint
    MobilityChart->replot(QCustomPlot::rpQueuedReplot);
}

void TPilePage::showControls(const TPileAnalysis& a) {
    filling_ = true;
    SpeedEdit->setText(a.waveSpeed > 0 ? FormatFloat("0", a.waveSpeed) : QString());
    SpeedSourceLabel->setText(a.waveSpeed > 0
                                  ? QStringLiteral("Источник: ") + SpeedSourceText(a.waveSpeedSource)
                                  : QStringLiteral("Скорость неизвестна"));
    AutoSpeedButton->setEnabled(a.verdict.speed.has_value());
    LengthEdit->setText(number(a.verdict.length, "0.00"));
    DiameterEdit->setText(number(a.verdict.diameter, "0.000"));
    LowPassEdit->setText(FormatFloat("0", a.verdict.processing.lowpass));
    AmplifyEdit->setText(FormatFloat("0.0", a.verdict.processing.amplify));
    if (!a.toeTime)
        ToeLabel->setText(QStringLiteral("Подошва не отмечена"));
    else
        ToeLabel->setText(QStringLiteral("Подошва: %1 м (%2 мс), %3")
                              .arg(number(a.toeDepth, "0.00"), FormatFloat("0.00", *a.toeTime),
                                   a.toeAuto ? QStringLiteral("найдена автоматически")
                                             : QStringLiteral("отмечена инженером")));
    showBlows(a);
    const QString scheme = analyser_->Verdicts().Scheme();
    if (ClassCombo->property("scheme").toString() != scheme) {
        ClassCombo->clear();
        ClassCombo->addItem(QStringLiteral("не оценена"), QString());
        for (const QString& cls : classscheme::Classes(scheme))
            ClassCombo->addItem(cls + QStringLiteral(" — ") + classscheme::Meaning(scheme, cls), cls);
        ClassCombo->setProperty("scheme", scheme);
    }
    ClassCombo->setCurrentIndex(std::max(0, ClassCombo->findData(a.verdict.cls)));
    if (!RemarkEdit->hasFocus())
        RemarkEdit->setText(a.verdict.remark);
    filling_ = false;
}

// The rows' items are written over: a pile of as many blows as the last costs no new items.
void TPilePage::showBlows(const TPileAnalysis& a) {
    BlowList->setRowCount(int(a.blows.size()));
    const auto at = [this](int row, int column) {
        QTableWidgetItem* item = BlowList->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            BlowList->setItem(row, column, item);
        }
        return item;
    };
    for (int row = 0; row < int(a.blows.size()); ++row) {
        const TBlowReport& blow = a.blows[std::size_t(row)];
        QTableWidgetItem* used = at(row, kBlowUsed);
        // A blow left out for its own fault cannot be taken in; one the engineer left out can.
        const bool byEngineer = blow.used || blow.reason == blowreason::kExcluded;
        used->setFlags(byEngineer ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemFlags());
        used->setCheckState(blow.used ? Qt::Checked : Qt::Unchecked);
        at(row, kBlowTime)->setText(fromDateTimeValue(blow.dateTime).toString(QStringLiteral("HH:mm:ss")));
        at(row, kBlowCorrelation)->setText(number(blow.correlation, "0.000"));
        at(row, kBlowReason)->setText(BlowReasonText(blow.reason));
    }
}

void TPilePage::ChangeVerdict(const std::function<void(TPileVerdict&)>& change) {
    const std::optional<TPileKey> key = CurrentPile();
    if (!key || !shown_)
        return;
    TPileVerdict verdict = shown_->verdict;
    change(verdict);
    if (verdict == shown_->verdict)
        return;
    const QString sourceBefore = shown_->waveSpeedSource;
    analyser_->SetVerdict(*key, verdict);
    // A pile that gives or gave its speed by its length changes the speed of its site.
    shown_ = &analyser_->Analyse(*key);
    if (sourceBefore == speedsource::kLength || shown_->waveSpeedSource == speedsource::kLength) {
        for (int row = 0; row < PileList->rowCount(); ++row) {
            const QPoint other = PileList->item(row, kSite)->data(kPileKey).toPoint();
            if (other.x() == key->site && other.y() != key->pile)
                fillRow(row, analyser_->Analyse({other.x(), other.y()}));
        }
        shown_ = &analyser_->Analyse(*key);
    }
    afterChange();
}

// A chart zoomed into stays zoomed while the pile is edited.
void TPilePage::afterChange() {
    if (const int row = PileList->currentRow(); row >= 0)
        fillRow(row, *shown_);
    dragged_.reset();
    const QCPRange x = AverageChart->xAxis->range(), y = AverageChart->yAxis->range();
    const bool zoomed = x != home_[0] || y != home_[1];
    Redraw();
    if (zoomed) {
        AverageChart->xAxis->setRange(x);
        AverageChart->yAxis->setRange(y);
        AverageChart->replot(QCustomPlot::rpQueuedReplot);
    }
    showControls(*shown_);
}

void TPilePage::StoreVerdict(TPileKey key, const TPileVerdict& verdict) {
    analyser_->SetVerdict(key, verdict);
    fillList();
}

void TPilePage::SetClass(const QString& cls) {
    ChangeVerdict([&](TPileVerdict& v) { v.cls = cls; });
}

void TPilePage::AddMark(const QString& kind, double depth) {
    if (!shown_ || !(shown_->waveSpeed > 0))
        return;
    const double time = shown_->Time(depth);
    if (kind == ToeKind()) {
        ChangeVerdict([&](TPileVerdict& v) { v.toeTime = time; });
        selectedMark_ = -1;
    } else if (int(shown_->verdict.defects.size()) < kMostDefects) {
        ChangeVerdict([&](TPileVerdict& v) { v.defects.push_back({time, kind}); });
        selectedMark_ = int(shown_->verdict.defects.size()) - 1;
    }
}

void TPilePage::RemoveSelectedMark() {
    if (!shown_ || !selectedMark_)
        return;
    const int mark = *selectedMark_;
    selectedMark_.reset();
    ChangeVerdict([mark](TPileVerdict& v) {
        if (mark < 0)
            v.toeTime.reset();
        else if (std::size_t(mark) < v.defects.size())
            v.defects.erase(v.defects.begin() + mark);
    });
}

void TPilePage::doubleClicked(QPoint at) {
    if (!shown_ || !shown_->curves)
        return;
    const double depth = AverageChart->xAxis->pixelToCoord(at.x());
    if (const std::optional<QString> kind = ChooseMarkKind(AverageChart->mapToGlobal(at)))
        AddMark(*kind, depth);
}

// While the mouse moves only the mark and the overlay are drawn again; the verdict takes the
// mark when it is let go.
void TPilePage::markDragged(int mark, double depth) {
    const bool moved = dragged_ && dragged_->first == mark;
    selectedMark_ = mark;
    dragged_ = {mark, depth};
    if (!moved)
        pressDepth_ = depth;
    PlacePileMark(*AverageChart, mark, depth);
    AverageChart->layer(QStringLiteral("overlay"))->replot(); // the whole chart when its buffers are stale
}

void TPilePage::dragFinished() {
    if (!dragged_ || !shown_)
        return;
    // Named copies: clang 14 cannot capture a structured binding in a lambda.
    const int mark = dragged_->first;
    const double depth = dragged_->second;
    if (depth == pressDepth_) { // taken and let go: only selected
        dragged_.reset();
        return;
    }
    const double time = shown_->Time(depth);
    ChangeVerdict([mark, time](TPileVerdict& v) {
        if (mark < 0)
            v.toeTime = time;
        else if (std::size_t(mark) < v.defects.size())
            v.defects[std::size_t(mark)].time = time;
    });
    dragged_.reset();
}

void TPilePage::blowToggled(int row, bool used) {
    if (!shown_ || row < 0 || std::size_t(row) >= shown_->blows.size())
        return;
    const double dateTime = shown_->blows[std::size_t(row)].dateTime;
    ChangeVerdict([&](TPileVerdict& v) {
        std::erase(v.excluded, dateTime);
        if (!used)
            v.excluded.push_back(dateTime);
    });
}

bool TPilePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != PileList && watched != AverageChart))
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<QKeyEvent&>(*event);
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    if (key.key() == Qt::Key_Delete) {
        run_([this] { RemoveSelectedMark(); });
        return true;
    }
    if (watched == AverageChart && key.key() == Qt::Key_Home) {
        Redraw(); // the whole curve again
        return true;
    }
    const QString typed = key.text().toUpper();
    if (typed.size() != 1 || !shown_)
        return false;
    const QStringList classes = classscheme::Classes(analyser_->Verdicts().Scheme());
    // A digit is the class's place in the scheme (0 = not judged), a letter the class itself.
    const int digit = typed.front().isDigit() ? typed.front().digitValue() : -1;
    QString cls;
    if (digit == 0)
        cls = QString();
    else if (digit > 0 && digit <= classes.size())
        cls = classes[digit - 1];
    else if (classes.contains(typed))
        cls = typed;
    else
        return false;
    run_([this, cls] { SetClass(cls); });
    return true;
}
