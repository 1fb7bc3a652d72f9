#pragma once
// The "Данные" page: on the left the record grid, the parameter grid and the navigator; on the
// right the record's comment above the chart panel.

#include "Guarded.h"
#include "MainDataModuleUnit.h"

#include <QWidget>

class QPlainTextEdit;
class QSplitter;
class QTableWidget;
class TChartPanel;
class TMemoBinding;
class TRecordGrid;
class TRecordNavigator;

class TDataPage : public QWidget {
    Q_OBJECT
public:
    TDataPage(TMainDataModule& dm, TChartPanel* chartPanel, THandlerRunner run, QWidget* parent = nullptr);

    TRecordGrid* DBGrid;
    QTableWidget* ParamStringGrid;
    TRecordNavigator* DBNavigator;
    QPlainTextEdit* CommentDBMemo;
    TChartPanel* ChartPanel;
    QSplitter* Splitter; // the record grid's column beside the comment and the charts

    // Column 1 of the parameter grid from the chart panel (ShowResultInfo, ClearStringGrids).
    void ShowResultInfo();
    // The chart panel and the comment memo can be used exactly when the project has rows.
    void SetRowsEnabled(bool enabled);

private:
    QWidget* makeLeftColumn(TMainDataModule& dm, const THandlerRunner& run);
};
