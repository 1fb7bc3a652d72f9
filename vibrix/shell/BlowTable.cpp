#include "BlowTable.h"

#include "DownloadUnit.h"
#include "PileTexts.h"

#include <QDateTime>
#include <QHeaderView>

namespace {

enum BlowColumn { kBlowUsed, kBlowTime, kBlowCorrelation, kBlowReason };

// Why a blow is in the average or not, and what its check box can do about it.
QString blowTip(const TBlowReport& blow, double threshold) {
    const QString correlation = QStringLiteral("корреляция %1 при пороге %2")
                                    .arg(piletexts::Number("0.000", blow.correlation, QStringLiteral("—")),
                                         piletexts::Number("0.00", threshold));
    if (blow.taken)
        return QStringLiteral("В среднем по выбору инженера, хотя не похож на остальные (%1)")
            .arg(correlation);
    if (blow.used)
        return QStringLiteral("В среднем (%1)").arg(correlation);
    switch (*blow.reason) {
    case TBlowReason::Clipped:
        return QStringLiteral("Не в среднем: зашкал датчика — запись искажена, удар взять нельзя");
    case TBlowReason::Format:
        return QStringLiteral("Не в среднем: другой формат записи (частота или число отсчётов не те, что у "
                              "первого удара) — удар взять нельзя");
    case TBlowReason::Correlation:
        return QStringLiteral("Не в среднем: не похож на остальные (%1). Флажок возвращает удар в среднее")
            .arg(correlation);
    case TBlowReason::Excluded:
        return QStringLiteral("Не в среднем: исключён инженером. Флажок возвращает удар в среднее");
    }
    return {};
}

} // namespace

TBlowTable::TBlowTable(QWidget* parent) : QTableWidget(0, 4, parent) {
    setObjectName(QStringLiteral("BlowList"));
    setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Время"), QStringLiteral("Корр."), QStringLiteral("Примечание")});
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The reason reads whole: its column is as wide as its longest text, scrolled where the panel is
    // narrower.
    horizontalHeader()->setSectionResizeMode(kBlowReason, QHeaderView::ResizeToContents);
    horizontalHeader()->setStretchLastSection(false);
    const QFontMetrics m = fontMetrics();
    setColumnWidth(kBlowUsed, m.height() + 12);
    setColumnWidth(kBlowTime, m.horizontalAdvance(QStringLiteral("88:88:88")) + 12);
    setColumnWidth(kBlowCorrelation, m.horizontalAdvance(QStringLiteral("Корр.")) + 16);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() == kBlowUsed)
            emit toggled(item->row(), item->checkState() == Qt::Checked);
    });
}

// The rows' items are written over: a pile of as many blows as the last costs no new items.
void TBlowTable::Show(const TPileAnalysis& a) {
    filling_ = true;
    setRowCount(int(a.blows.size()));
    const auto at = [this](int row, int column) {
        QTableWidgetItem* cell = item(row, column);
        if (!cell) {
            cell = new QTableWidgetItem;
            setItem(row, column, cell);
        }
        return cell;
    };
    for (int row = 0; row < int(a.blows.size()); ++row) {
        const TBlowReport& blow = a.blows[std::size_t(row)];
        QTableWidgetItem* used = at(row, kBlowUsed);
        // A clipped blow or one of another format cannot be taken in; one left out by the engineer
        // or for its correlation can.
        const bool byEngineer = blow.reason != TBlowReason::Clipped && blow.reason != TBlowReason::Format;
        used->setFlags(byEngineer ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemFlags());
        used->setCheckState(blow.used ? Qt::Checked : Qt::Unchecked);
        at(row, kBlowTime)->setText(fromDateTimeValue(blow.dateTime).toString(QStringLiteral("HH:mm:ss")));
        at(row, kBlowCorrelation)->setText(piletexts::Number("0.000", blow.correlation));
        at(row, kBlowReason)
            ->setText(blow.taken    ? QStringLiteral("взят инженером")
                      : blow.reason ? piletexts::BlowReason(*blow.reason)
                                    : QString());
        const QString tip = blowTip(blow, a.verdict.processing.threshold);
        for (int column = 0; column < columnCount(); ++column)
            at(row, column)->setToolTip(tip);
    }
    filling_ = false;
}
