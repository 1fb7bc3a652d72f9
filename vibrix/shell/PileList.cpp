#include "PileList.h"

#include "Named.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

// The list's rows as the view shows them: sorted by the model's sort role, the piles of one site
// or of all, and, when asked, only those whose proposal asks for attention; the proposal in grey.
class TPileListProxy : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetFilter(std::optional<int> site, bool attentionOnly) {
        site_ = site;
        attentionOnly_ = attentionOnly;
        invalidateFilter();
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::ForegroundRole && index.column() == TPileListModel::kProposed)
            return QColor(Qt::darkGray);
        return QSortFilterProxyModel::data(index, role);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const QModelIndex at = sourceModel()->index(row, 0, parent);
        return (!site_ || at.data(TPileListModel::SiteRole).toInt() == *site_) &&
               (!attentionOnly_ || at.data(TPileListModel::AttentionRole).toBool());
    }

private:
    std::optional<int> site_;
    bool attentionOnly_ = false;
};

TPileList::TPileList(TPileAnalyser& analyser, QWidget* parent)
    : QWidget(parent), Model(new TPileListModel(analyser, this)), analyser_(analyser),
      proxy_(new TPileListProxy(this)) {
    SiteFilter = Named(new QComboBox(this), QStringLiteral("SiteFilter"));
    AttentionOnly =
        Named(new QCheckBox(QStringLiteral("требуют внимания"), this), QStringLiteral("AttentionOnly"));
    AttentionOnly->setToolTip(
        QStringLiteral("Только сваи, в которых первый проход предлагает класс III или IV, "
                       "находит сваю короче проекта, не видит подошву или не уверен"));
    proxy_->setSourceModel(Model);
    proxy_->setSortRole(TPileListModel::SortRole);
    proxy_->setFilterKeyColumn(-1);
    PileList = Named(new QTableView(this), QStringLiteral("PileList"));
    PileList->setModel(proxy_);
    PileList->verticalHeader()->hide();
    PileList->setSelectionBehavior(QAbstractItemView::SelectRows);
    PileList->setSelectionMode(QAbstractItemView::ExtendedSelection); // piles chosen for a report
    PileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PileList->verticalHeader()->setDefaultSectionSize(PileList->fontMetrics().height() + 6);
    PileList->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // A whole row is chosen: captions drawn bold over it would say nothing, and take room.
    PileList->horizontalHeader()->setHighlightSections(false);
    PileList->horizontalHeader()->setMinimumSectionSize(PileList->fontMetrics().averageCharWidth() * 3);
    PileList->horizontalHeader()->setSortIndicator(TPileListModel::kSite, Qt::AscendingOrder);
    PileList->setSortingEnabled(true);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    filterRow_ = new QHBoxLayout;
    filterRow_->addWidget(new QLabel(QStringLiteral("Участок:"), this));
    filterRow_->addWidget(SiteFilter, 1);
    filterRow_->addWidget(AttentionOnly);
    l->addLayout(filterRow_);
    l->addWidget(PileList, 1);
    FirstPassLabel = Named(new QLabel(this), QStringLiteral("FirstPassLabel"));
    FirstPassLabel->hide();
    l->addWidget(FirstPassLabel);
    setMinimumWidth(260);
    connect(SiteFilter, &QComboBox::activated, this, &TPileList::filterBySite);
    connect(AttentionOnly, &QCheckBox::toggled, this, &TPileList::filterBySite);
    connect(PileList->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!quiet_)
            emit currentPileChanged();
    });
    connect(Model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beforeReset_ = CurrentPile(); });
    connect(Model, &QAbstractItemModel::modelReset, this, [this] {
        fillSites();
        keepCurrent(beforeReset_);
        fitColumns();
    });
    QHeaderView* header = PileList->horizontalHeader();
    connect(header, &QHeaderView::sortIndicatorChanged, this, &TPileList::fitColumns);
    connect(header, &QHeaderView::sectionResized, this, [this] {
        if (!fitting_)
            widthsSet_ = true; // the engineer's widths stay
    });
}

// Each column as wide as its caption and the values listed, the sort arrow's room on the sorted
// one only; not once the engineer has set the widths.
void TPileList::fitColumns() {
    if (widthsSet_)
        return;
    QHeaderView* header = PileList->horizontalHeader();
    const QStyle* style = header->style();
    const int margins = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 4;
    const int arrow = style->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header) + margins / 2;
    const QFontMetrics metrics(header->font());
    const QAbstractItemView* view = PileList; // the widths of the values: public there
    fitting_ = true;
    for (int column = 0; column < Model->columnCount(); ++column) {
        int width = metrics.horizontalAdvance(Model->headerData(column, Qt::Horizontal).toString()) + margins;
        if (column == header->sortIndicatorSection())
            width += arrow;
        header->resizeSection(column, std::max(width, view->sizeHintForColumn(column)));
    }
    fitting_ = false;
}

int TPileList::FittedWidth() const {
    return PileList->horizontalHeader()->length() + 2 * PileList->frameWidth() +
           PileList->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, PileList);
}

QList<int> TPileList::ColumnWidths() const {
    QList<int> widths;
    if (widthsSet_)
        for (int column = 0; column < Model->columnCount(); ++column)
            widths << PileList->horizontalHeader()->sectionSize(column);
    return widths;
}

void TPileList::SetColumnWidths(const QList<int>& widths) {
    if (widths.size() != Model->columnCount())
        return;
    fitting_ = true;
    for (int column = 0; column < widths.size(); ++column)
        PileList->horizontalHeader()->resizeSection(column, widths[column]);
    fitting_ = false;
    widthsSet_ = true;
}

void TPileList::AddTool(QWidget* tool) {
    filterRow_->addWidget(tool);
}

void TPileList::Refresh() {
    Model->Refresh();
}

void TPileList::SetProposals(std::map<TPileKey, TFirstPassResult> proposals) {
    Model->SetProposals(std::move(proposals));
    if (AttentionOnly->isChecked())
        filterBySite(); // other piles may ask for attention now
}

void TPileList::ShowFirstPassProgress(std::optional<int> done, int count) {
    FirstPassLabel->setVisible(done && count > 0);
    if (done)
        FirstPassLabel->setText(QStringLiteral("Первый проход: прочитано %1 из %2").arg(*done).arg(count));
}

void TPileList::Clear() {
    Model->Clear();
}

void TPileList::fillSites() {
    const QVariant site = SiteFilter->currentData();
    SiteFilter->clear();
    if (Model->rowCount() == 0 && Model->Stale())
        return; // no project
    SiteFilter->addItem(QStringLiteral("все участки"));
    for (int s : analyser_.Sites())
        SiteFilter->addItem(QString::number(s), s);
    SiteFilter->setCurrentIndex(std::max(0, SiteFilter->findData(site)));
    filterBySite();
}

void TPileList::filterBySite() {
    const std::optional<TPileKey> current = CurrentPile();
    const QVariant site = SiteFilter->currentData();
    quiet_ = true;
    proxy_->SetFilter(site.isValid() ? std::optional(site.toInt()) : std::nullopt,
                      AttentionOnly->isChecked());
    quiet_ = false;
    keepCurrent(current);
}

// The pile made current again (or the first one) and shown.
void TPileList::keepCurrent(const std::optional<TPileKey>& key) {
    quiet_ = true;
    if (!key || !SelectPile(*key))
        PileList->setCurrentIndex(proxy_->index(0, TPileListModel::kPile));
    quiet_ = false;
    emit currentPileChanged();
}

std::optional<TPileKey> TPileList::CurrentPile() const {
    const QModelIndex current = PileList->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return current.data(TPileListModel::KeyRole).value<TPileKey>();
}

std::optional<TPileKey> TPileList::NextPile() const {
    const QModelIndex current = PileList->currentIndex();
    const QModelIndex next = current.isValid() ? current.siblingAtRow(current.row() + 1) : QModelIndex();
    if (!next.isValid())
        return std::nullopt;
    return next.data(TPileListModel::KeyRole).value<TPileKey>();
}

std::vector<TPileKey> TPileList::ChosenPiles() const {
    QModelIndexList rows = PileList->selectionModel()->selectedRows(TPileListModel::kPile);
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<TPileKey> keys;
    for (const QModelIndex& row : rows)
        keys.push_back(row.data(TPileListModel::KeyRole).value<TPileKey>());
    return keys;
}

bool TPileList::SelectPile(TPileKey key) {
    const std::optional<int> row = Model->RowOf(key);
    const QModelIndex at =
        row ? proxy_->mapFromSource(Model->index(*row, TPileListModel::kPile)) : QModelIndex();
    if (at.isValid())
        PileList->setCurrentIndex(at);
    return at.isValid();
}

std::optional<QString> TPileList::ClassOfKey(const QString& typed, const QString& scheme) {
    if (typed.size() != 1)
        return std::nullopt;
    const QStringList classes = classscheme::Classes(scheme);
    const int digit = typed.front().isDigit() ? typed.front().digitValue() : -1;
    if (digit == 0)
        return QString();
    if (digit > 0 && digit <= classes.size())
        return classes[digit - 1];
    if (classes.contains(typed))
        return typed;
    return std::nullopt;
}
