#pragma once
// The first tab of the main window, "Файлы, папки, поиск": drive box and folder tree, the file
// list, the filter, the check list with the build and extract buttons, and the single view's
// edits, unit groups and charts.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
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
    QCheckBox* CheckBox__Velocity_from_files; // each measurement's depths from its own file's velocity
    QLineEdit* Edit__Ku_on_Tab1;
    QLineEdit* Edit__Depth_for_single;
    RadioGroup* RadioGroup__Single_file__Seysmo_dimension;
    QCustomPlot* Chart__Single_file__Seysmo;
    RadioGroup* RadioGroup__Single_file__Spectr_dimension;
    QCustomPlot* Chart__Single_file__Spectr;
    QLabel* Label__Single_file;         // names the channel on show
    QLabel* Label__Single_file_readout; // the values under the pointer

private:
    QWidget* FilterForm();
    QLayout* LeftSide();
    QLayout* RightSide();
};
