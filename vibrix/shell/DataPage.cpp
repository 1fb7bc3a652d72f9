#include "DataPage.h"

#include "ChartPanel.h"
#include "MemoBinding.h"
#include "Named.h"
#include "RecordGrid.h"
#include "RecordNavigator.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const char* const kParamCaptions[] = {"Частота Fs, Гц", "Запись, зн.", "Усиление", "Скорость V, м/с",
                                      "База, см"};

// Display-only: no cell can be selected or edited.
QTableWidget* paramGrid(QWidget* parent) {
    auto* grid = Named(new QTableWidget(5, 3, parent), QStringLiteral("ParamStringGrid"));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setColumnWidth(0, 110);
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch); // the rest of the width
    grid->setColumnHidden(2, true);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    for (int row = 0; row < 5; ++row) {
        grid->setItem(row, 0, new QTableWidgetItem(QString::fromUtf8(kParamCaptions[row])));
        grid->setItem(row, 1, new QTableWidgetItem);
    }
    grid->setFixedHeight(5 * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth());
    return grid;
}

} // namespace

TDataPage::TDataPage(TMainDataModule& dm, TChartPanel* chartPanel, THandlerRunner run, QWidget* parent)
    : QWidget(parent), ChartPanel(chartPanel) {
    setObjectName(QStringLiteral("DataTabSheet"));
    auto* right = new QWidget(this);
    auto* comment = new QLabel(QStringLiteral("Комментарий:"), right);
    CommentDBMemo = Named(new QPlainTextEdit(right), QStringLiteral("CommentDBMemo"));
    CommentDBMemo->setFixedHeight(4 * CommentDBMemo->fontMetrics().height());
    CommentDBMemo->setTabChangesFocus(true);
    new TMemoBinding(CommentDBMemo, dm.cdsVibrix, QStringLiteral("Comment"), run,
                     [module = &dm] { module->PostChanges(); });
    auto* r = new QVBoxLayout(right);
    r->setContentsMargins(0, 0, 0, 0);
    r->addWidget(comment);
    r->addWidget(CommentDBMemo);
    chartPanel->setParent(right);
    r->addWidget(chartPanel, 1);

    Splitter = Named(new QSplitter(Qt::Horizontal, this), QStringLiteral("DataSplitter"));
    Splitter->setChildrenCollapsible(false);
    Splitter->addWidget(makeLeftColumn(dm, run));
    Splitter->addWidget(right);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({300, 700});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Splitter);
    connect(chartPanel, &TChartPanel::infoChanged, this, &TDataPage::ShowResultInfo);
}

QWidget* TDataPage::makeLeftColumn(TMainDataModule& dm, const THandlerRunner& run) {
    auto* left = new QWidget(this);
    DBGrid = new TRecordGrid(dm.cdsVibrix, run, left);
    auto* gridPanel = Named(new QWidget(left), QStringLiteral("GridPanel"));
    ParamStringGrid = paramGrid(gridPanel);
    auto* g = new QVBoxLayout(gridPanel);
    g->setContentsMargins(0, 0, 0, 0);
    g->addWidget(ParamStringGrid);
    DBNavigator = new TRecordNavigator(dm, run, left);
    auto* l = new QVBoxLayout(left);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(DBGrid, 1);
    l->addWidget(gridPanel);
    l->addWidget(DBNavigator);
    left->setMinimumWidth(280);
    return left;
}

void TDataPage::ShowResultInfo() {
    const QStringList values = ChartPanel->ResultInfo();
    for (int row = 0; row < 5; ++row)
        ParamStringGrid->item(row, 1)->setText(values.value(row));
}

void TDataPage::SetRowsEnabled(bool enabled) {
    ChartPanel->setEnabled(enabled);
    CommentDBMemo->setEnabled(enabled);
}
