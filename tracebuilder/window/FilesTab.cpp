#include "FilesTab.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include "AlignedFields.h"
#include "TracePage.h"

namespace {

// White, flat, without a legend; tick labels in the user's number form.
QCustomPlot* singleChart(const char* name, QWidget* parent) {
    auto* chart = new QCustomPlot(parent);
    chart->setObjectName(name);
    chart->setBackground(Qt::white);
    chart->setLocale(QLocale());
    chart->legend->setVisible(false);
    chart->addGraph();
    chart->setMinimumSize(480, 250);
    return chart;
}

} // namespace

FilesTab::FilesTab(QWidget* parent)
    : QWidget(parent), DriveComboBox(new QComboBox(this)), CDirectoryOutline(new QTreeView(this)),
      catalogue(this), GroupBox__Filter_form(new QGroupBox(QStringLiteral("Файл-фильтр"), this)),
      Edit__Velocity_on_Tab1(numberEdit("Edit__Velocity_on_Tab1", "2000", this)),
      CheckBox__Velocity_from_files(new QCheckBox(QStringLiteral("из файлов"), this)),
      Edit__Ku_on_Tab1(numberEdit("Edit__Ku_on_Tab1", "0.0", this)),
      Edit__Depth_for_single(numberEdit("Edit__Depth_for_single", "50", this)),
      RadioGroup__Single_file__Seysmo_dimension(new RadioGroup(
          QStringLiteral("Сейсмо"), {QStringLiteral("Метры"), QStringLiteral("Миллисекунды")}, this)),
      Chart__Single_file__Seysmo(singleChart("Chart__Single_file__Seysmo", this)),
      RadioGroup__Single_file__Spectr_dimension(
          new RadioGroup(QStringLiteral("Спектр"), {QStringLiteral("Метры"), QStringLiteral("Герцы")}, this)),
      Chart__Single_file__Spectr(singleChart("Chart__Single_file__Spectr", this)),
      Label__Single_file(new QLabel(this)), Label__Single_file_readout(new QLabel(this)) {
    setObjectName("TabSheet1");
    CheckBox__Velocity_from_files->setObjectName("CheckBox__Velocity_from_files");
    CheckBox__Velocity_from_files->setToolTip(
        QStringLiteral("Глубины каждого измерения по скорости волны, записанной в его файле"));
    Label__Single_file->setObjectName("Label__Single_file");
    Label__Single_file_readout->setObjectName("Label__Single_file_readout");
    // A long reason wraps instead of widening the window.
    Label__Single_file->setWordWrap(true);
    Label__Single_file->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont bold = Label__Single_file->font();
    bold.setBold(true);
    Label__Single_file->setFont(bold);
    // Kept as tall as a line when empty, so that the charts do not jump when a channel is shown.
    for (QLabel* label : {Label__Single_file, Label__Single_file_readout})
        label->setMinimumHeight(label->fontMetrics().height() + 2);
    // The lines' fields in columns, whatever the widths of their numbers.
    catalogue.appropriate->setItemDelegate(
        new AlignedFields(catalogue.appropriate, QStringLiteral("      ")));
    catalogue.allFiles->setItemDelegate(new AlignedFields(catalogue.allFiles, QStringLiteral("    ")));
    catalogue.makeTrace->setToolTip(
        QStringLiteral("Построить трассы, в трассы  войдут все помеченные галочкой элементы"));
    DriveComboBox->setObjectName("DriveComboBox");
    CDirectoryOutline->setObjectName("CDirectoryOutline");
    GroupBox__Filter_form->setObjectName("GroupBox__Filter_form");
    RadioGroup__Single_file__Seysmo_dimension->setObjectName("RadioGroup__Single_file__Seysmo_dimension");
    RadioGroup__Single_file__Spectr_dimension->setObjectName("RadioGroup__Single_file__Spectr_dimension");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(LeftSide(), 0);
    layout->addLayout(RightSide(), 1);
}

QWidget* FilesTab::FilterForm() {
    auto* form = new QFormLayout(GroupBox__Filter_form);
    form->setContentsMargins(8, 4, 8, 4);
    form->addRow(catalogue.filterOn);
    form->addRow(QStringLiteral("Только поле №"), catalogue.siteEdit);
    form->addRow(QStringLiteral("Только свая №"), catalogue.pileEdit);
    form->addRow(catalogue.channel1);
    form->addRow(catalogue.channel2);
    catalogue.siteEdit->setFixedWidth(70);
    catalogue.pileEdit->setFixedWidth(70);
    return GroupBox__Filter_form;
}

QLayout* FilesTab::LeftSide() {
    auto* folders = new QVBoxLayout;
    folders->addWidget(DriveComboBox);
    folders->addWidget(CDirectoryOutline, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(folders, 1);
    top->addWidget(FilterForm(), 0, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    catalogue.makeTrace->setFixedSize(48, 40);
    catalogue.extract->setMinimumHeight(40);
    buttons->addWidget(catalogue.makeTrace);
    buttons->addWidget(catalogue.extract);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(top, 3);
    left->addWidget(catalogue.allFiles, 3);
    left->addWidget(catalogue.appropriate, 4);
    left->addLayout(buttons);
    for (QWidget* w :
         {static_cast<QWidget*>(catalogue.allFiles), static_cast<QWidget*>(catalogue.appropriate)})
        w->setMinimumWidth(470);
    return left;
}

QLayout* FilesTab::RightSide() {
    auto* edits = new QHBoxLayout;
    for (auto [label, edit] :
         {std::pair{"Скорость", Edit__Velocity_on_Tab1}, std::pair{"Усиление", Edit__Ku_on_Tab1},
          std::pair{"Глубина", Edit__Depth_for_single}}) {
        edits->addWidget(new QLabel(QString::fromUtf8(label), this));
        edits->addWidget(edit);
        if (edit == Edit__Velocity_on_Tab1)
            edits->addWidget(CheckBox__Velocity_from_files);
        edits->addSpacing(10);
    }
    edits->addStretch();
    auto* right = new QVBoxLayout;
    right->addLayout(edits);
    right->addWidget(Label__Single_file);
    right->addWidget(RadioGroup__Single_file__Seysmo_dimension);
    right->addWidget(Chart__Single_file__Seysmo, 1);
    right->addWidget(RadioGroup__Single_file__Spectr_dimension);
    right->addWidget(Chart__Single_file__Spectr, 1);
    right->addWidget(Label__Single_file_readout);
    return right;
}
