#include "tCatalogueSet.h"

#include <QIcon>
#include <QStyle>

tCatalogueControls::tCatalogueControls(QWidget* parent)
    : allFiles(new QListWidget(parent)), appropriate(new QListWidget(parent)),
      filterOn(new QCheckBox(QStringLiteral("Включен"), parent)), siteEdit(new QLineEdit("-", parent)),
      pileEdit(new QLineEdit("-", parent)), channel1(new QCheckBox(QStringLiteral("Канал 1"), parent)),
      channel2(new QCheckBox(QStringLiteral("Канал 2"), parent)), makeTrace(new QPushButton(parent)),
      extract(new QPushButton(QStringLiteral("Извлечь в папку"), parent)) {
    allFiles->setObjectName("All_files_in_folder");
    appropriate->setObjectName("CheckListBox__Appropriate_files");
    filterOn->setObjectName("CheckBox__Filter_On_Off");
    siteEdit->setObjectName("Edit__Filter_Field_N");
    pileEdit->setObjectName("Edit__Filter_Pile_N");
    channel1->setObjectName("CheckBox__Filter_Ch_1_Sel");
    channel2->setObjectName("CheckBox__Filter_Ch_2_Sel");
    makeTrace->setObjectName("BitBtn__Make_trace");
    extract->setObjectName("Button__Extract");
    channel1->setChecked(true);
    channel2->setChecked(true);
    makeTrace->setIcon(parent->style()->standardIcon(QStyle::SP_MediaPlay));
    makeTrace->setIconSize(QSize(24, 24));
    makeTrace->setEnabled(false);
    extract->setEnabled(false);
}

tCatalogueSet::tCatalogueSet(const tCatalogueControls& c, tSingleViewSink* singleView)
    : filter(c.filterOn, c.siteEdit, c.pileEdit, c.channel1, c.channel2),
      catalogue(c.allFiles, c.appropriate, &filter, c.makeTrace, c.extract, singleView) {}

void tCatalogueSet::List(const QString& folder) {
    catalogue.Clear();
    catalogue.Scan(folder);
    catalogue.FillCheckList();
}
