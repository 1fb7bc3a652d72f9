#include "TPileListModel.h"

#include "PileTexts.h"
#include "TFirstPassProject.h"

namespace {

// Short captions, so that the list stands whole beside the curves; the tool tips say them in full.
const char* const kCaptions[] = {"Уч.",  "Свая",    "Удары", "L, м",      "c, м/с",
                                 "Ист.", "Подошва", "Класс", "Предложено"};
const char* const kToolTips[] = {"Участок",
                                 "Номер сваи",
                                 "Удары: взятые в среднее / все",
                                 "Длина сваи по проекту, м",
                                 "Скорость волны, м/с",
                                 "Источник скорости волны",
                                 "Глубина подошвы, м",
                                 "Класс, поставленный инженером",
                                 "Класс, предложенный первым проходом"};
constexpr double kNoNumber = -1e300; // sorts before every number

QVariant number(const std::optional<double>& v) {
    return v ? *v : kNoNumber;
}

} // namespace

TPileListModel::TPileListModel(TPileAnalyser& analyser, QObject* parent)
    : QAbstractTableModel(parent), analyser_(analyser) {
    relist_.setSingleShot(true);
    relist_.setInterval(0);
    connect(&relist_, &QTimer::timeout, this, &TPileListModel::Refresh);
    connect(&analyser_, &TPileAnalyser::pileChanged, this, &TPileListModel::pileChanged);
    connect(&analyser_, &TPileAnalyser::siteSpeedChanged, this, &TPileListModel::siteSpeedChanged);
    connect(&analyser_, &TPileAnalyser::pilesChanged, this, &TPileListModel::pilesChanged);
}

int TPileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int TPileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant TPileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(kCaptions[section]);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(kToolTips[section]);
    return {};
}

QVariant TPileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumns)
        return {};
    const Row& row = rows_[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return display(row, index.column());
    case Qt::TextAlignmentRole:
        return index.column() == kSource || index.column() == kClass || index.column() == kProposed
                   ? QVariant()
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case SortRole:
        return sortKey(row, index.column());
    case KeyRole:
        return QVariant::fromValue(row.key);
    case SiteRole:
        return row.key.site;
    case Qt::ToolTipRole:
        return toolTip(row, index.column());
    case AttentionRole: {
        const TFirstPassResult* p = Proposal(row.key);
        return p && NeedsAttention(*p, analyser_.Verdicts().Scheme());
    }
    default:
        return {};
    }
}

QVariant TPileListModel::display(const Row& row, int column) const {
    switch (column) {
    case kSite:
        return QString::number(row.key.site);
    case kPile:
        return QString::number(row.key.pile);
    case kBlows:
        return QStringLiteral("%1 / %2").arg(row.used).arg(row.blows);
    case kLength:
        return piletexts::Number("0.00", row.length);
    case kSpeed:
        return piletexts::Number("0", row.speed);
    case kSource:
        return row.speed ? piletexts::SpeedSource(row.source) : QString();
    case kToe:
        return piletexts::Number("0.00", row.toeDepth);
    case kProposed: {
        const TFirstPassResult* p = Proposal(row.key);
        return p ? p->cls : QString();
    }
    default:
        return row.cls;
    }
}

// The proposal's confidence and reasons over its class.
QVariant TPileListModel::toolTip(const Row& row, int column) const {
    const TFirstPassResult* p = column == kProposed ? Proposal(row.key) : nullptr;
    if (!p)
        return {};
    QStringList lines;
    if (!p->cls.isEmpty())
        lines << QStringLiteral("Уверенность: %1").arg(piletexts::Number("0.00", p->classConfidence));
    lines << p->reasons;
    return lines.join('\n');
}

void TPileListModel::SetProposals(std::map<TPileKey, TFirstPassResult> proposals) {
    proposals_ = std::move(proposals);
    if (!rows_.empty())
        emit dataChanged(index(0, kProposed), index(rowCount() - 1, kProposed));
}

const TFirstPassResult* TPileListModel::Proposal(TPileKey key) const {
    const auto at = proposals_.find(key);
    return at == proposals_.end() ? nullptr : &at->second;
}

QVariant TPileListModel::sortKey(const Row& row, int column) const {
    switch (column) {
    case kSite:
        return double(row.key.site);
    case kPile:
        return double(row.key.pile);
    case kBlows:
        return double(row.used);
    case kLength:
        return number(row.length);
    case kSpeed:
        return number(row.speed);
    case kToe:
        return number(row.toeDepth);
    default:
        return display(row, column);
    }
}

TPileListModel::Row TPileListModel::Facts(const TPileAnalysis& a) {
    Row row;
    row.key = a.key;
    row.used = a.used;
    row.blows = int(a.blows.size());
    row.length = a.verdict.length;
    if (a.waveSpeed > 0)
        row.speed = a.waveSpeed;
    row.source = a.waveSpeedSource;
    row.toeDepth = a.toeDepth;
    row.cls = a.verdict.cls;
    return row;
}

void TPileListModel::Refresh() {
    relist_.stop();
    beginResetModel();
    rows_.clear();
    for (const TPileRows& p : analyser_.Piles())
        rows_.push_back(Facts(*analyser_.Analyse(p.key)));
    stale_ = false;
    endResetModel();
}

void TPileListModel::Clear() {
    relist_.stop();
    beginResetModel();
    rows_.clear();
    proposals_.clear();
    stale_ = true;
    endResetModel();
}

void TPileListModel::SetFollowed(bool followed) {
    followed_ = followed;
}

std::optional<int> TPileListModel::RowOf(TPileKey key) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].key == key)
            return int(i);
    return std::nullopt;
}

void TPileListModel::pileChanged(TPileKey key) {
    if (const std::optional<int> row = RowOf(key)) {
        rows_[std::size_t(*row)] = Facts(*analyser_.Analyse(key));
        emit dataChanged(index(*row, 0), index(*row, kColumns - 1));
    }
}

// The rows of a site are next to each other: the piles come ordered by site.
void TPileListModel::siteSpeedChanged(int site) {
    std::optional<int> first, last;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].key.site == site) {
            rows_[i] = Facts(*analyser_.Analyse(rows_[i].key));
            first = first.value_or(int(i));
            last = int(i);
        }
    if (first)
        emit dataChanged(index(*first, 0), index(*last, kColumns - 1));
}

void TPileListModel::pilesChanged() {
    stale_ = true;
    if (followed_)
        relist_.start();
}
