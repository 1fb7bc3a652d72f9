#pragma once
// The first tab of the main window, "Файлы, папки, поиск": drive box and folder tree, the file
// list, the filter, the check list with the build and extract buttons, and the single view's
// edits, unit groups and charts.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTreeView>
#include <QWidget>

#include "RadioGroup.h"
#include "tCatalogueSet.h"

class QCustomPlot;

class FilesTab : public QWidget {
public:
    explicit FilesTab(QWidget* parent = nullptr);

    QComboBox* DriveComboBox;
    QTreeView* CDirectoryOutline;
    tCatalogueControls catalogue;
    QGroupBox* GroupBox__Filter_form;
    QLineEdit* Edit__Velocity_on_Tab1;
    QLineEdit* Edit__Ku_on_Tab1;
    QLineEdit* Edit__Depth_for_single;
    RadioGroup* RadioGroup__Single_file__Seysmo_dimension;
    QCustomPlot* Chart__Single_file__Seysmo;
    RadioGroup* RadioGroup__Single_file__Spectr_dimension;
    QCustomPlot* Chart__Single_file__Spectr;

private:
    QWidget* FilterForm();
    QLayout* LeftSide();
    QLayout* RightSide();
};
