// What the window shows agrees with what it says: the largest gain, a file gone after listing,
// the single view of a file that went, the folder the extraction writes into, the depth scales.
#include "TraceWindow.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <cmath>

#include "DepthScale.h"
#include "ParameterChecks.h"
#include "Unit2.h"
#include "tSMVW.h"
#include "tTraceSet.h"

namespace {

QStringList TextFiles(const QString& folder) {
    return QDir(folder).entryList({"*.txt"}, QDir::Files, QDir::Name);
}

TEST(TForm1Reading, TheLargestGainDrawsAPictureOfItsOwnAndALargerOneIsRefused) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.clickLine(0);
    w.click("BitBtn__Make_trace");
    w.tick();
    const QImage atGainZero = w.picture("Image__Seysmo_trace");
    const QString largest = QString::number(kLargestGain);
    w.type("Edit__Ku_on_Tab2", largest);
    w.tick();
    EXPECT_TRUE(w.dialogs.messages.empty());
    EXPECT_NE(w.picture("Image__Seysmo_trace"), atGainZero);
    // The single seismogram's axis holds every amplified sample.
    auto* chart = w.find<QCustomPlot>("Chart__Single_file__Seysmo");
    for (const QCPGraphData& d : *chart->graph(0)->data())
        ASSERT_TRUE(std::isfinite(d.value) && std::fabs(d.value) <= 1e250) << d.key;
    EXPECT_TRUE(chart->yAxis->range().contains(chart->graph(0)->data()->at(0)->value));

    w.type("Edit__Ku_on_Tab1", QString::number(kLargestGain + 1));
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text,
              "Усиление должно быть от -351 до 351: при большем усилении отсчёты не представимы числами.");
    EXPECT_EQ(w.find<QLineEdit>("Edit__Ku_on_Tab1")->text(), largest);
}

TEST(TForm1Reading, AFileShownBeforeItWentIsLeftOutWholeFromThePictureAndTheExtraction) {
    MeasurementFolder folder;
    QTemporaryDir out;
    TraceWindow w(folder.path());
    w.clickLine(1); // f1_001.ssm, channel 2: its points are read for the single view
    QFile::remove(folder.path() + "/f1_001.ssm");
    w.click("BitBtn__Make_trace");
    const tTrcColumnsCnf& c = w.form->traces().seismoImage.conf;
    EXPECT_EQ(c.count, 4); // six channels, two of them of the file gone
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text, "Трассы построены без файлов, которые не удалось прочитать (1):\n"
                                          "f1_001.ssm — файл или папка не найдены");
    auto* picture = w.find<TracePicture>("Image__Seysmo_trace");
    for (int i = 0; i < c.count; ++i) {
        const QString tooltip = picture->tooltipAt(QPoint(c.ColumnCentre(i), c.ColumnsTop() + 5));
        EXPECT_TRUE(tooltip.startsWith("Файл: f")) << i;
        EXPECT_FALSE(tooltip.contains("f1_001.ssm")) << i;
    }
    EXPECT_TRUE(w.find<QLabel>("Label__Seysmo_source")->text().startsWith("Построено по папке"));

    w.dialogs.onExec = [&](QDialog& dialog) {
        auto& form = dynamic_cast<TForm2&>(dialog);
        form.DirectoryListBox__Folder_select->SetFolder(out.path());
        form.BitBtn__Select_folderClick();
        return dialog.result();
    };
    w.click("Button__Extract");
    EXPECT_EQ(TextFiles(out.path()).size(), 4);
    EXPECT_TRUE(TextFiles(out.path()).filter("f1__П_1_C_1").isEmpty());
    EXPECT_TRUE(w.dialogs.messages.back().text.contains("f1_001.ssm — файл или папка не найдены"));
}

TEST(TForm1Reading, OneClickInTheFolderDialogWritesIntoTheFolderItProposesAndNames) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    const QString parent = QFileInfo(folder.path()).absolutePath();
    const QString proposed = folder.path() + "_extracted";
    const QStringList besideBefore = TextFiles(parent);
    QString named;
    w.dialogs.onExec = [&](QDialog& dialog) {
        auto& form = dynamic_cast<TForm2&>(dialog);
        form.show();
        named = form.BitBtn__Select_folder->text();
        QTest::mouseClick(form.BitBtn__Select_folder, Qt::LeftButton);
        return dialog.result();
    };
    w.click("Button__Extract");
    EXPECT_EQ(named, "Выбрать папку:  " + QDir::toNativeSeparators(proposed));
    EXPECT_EQ(TextFiles(proposed).size(), 6);
    EXPECT_EQ(TextFiles(parent), besideBefore);
    QDir(proposed).removeRecursively();
}

TEST(TForm1Reading, AChannelWhoseFileWentClearsTheSingleViewWithTheReason) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.clickLine(0);
    w.tick();
    ASSERT_FALSE(w.keys("Chart__Single_file__Seysmo").empty());
    QFile::remove(folder.path() + "/f1_001.ssm");
    w.checkList()->setFocus();
    QTest::keyClick(w.checkList(), Qt::Key_Down); // channel 2 of the file gone
    w.tick();
    EXPECT_EQ(w.checkList()->currentRow(), 1);
    EXPECT_EQ(w.find<QLabel>("Label__Single_file")->text(),
              QStringLiteral("Не удалось прочитать файл измерения «%1»: файл или папка не найдены")
                  .arg(QDir::toNativeSeparators(folder.path() + "/f1_001.ssm")));
    EXPECT_TRUE(w.form->singleView().shown.empty());
    EXPECT_TRUE(w.keys("Chart__Single_file__Seysmo").empty());
    EXPECT_TRUE(w.keys("Chart__Single_file__Spectr").empty());
    EXPECT_TRUE(w.dialogs.messages.empty());
    QTest::keyClick(w.checkList(), Qt::Key_Down); // a file still there
    EXPECT_EQ(w.find<QLabel>("Label__Single_file")->text(), "f1_002.ssm · поле 1 · свая 2 · канал 1");
}

TEST(TForm1Reading, BothSingleChartsSpanTheDepthsAndTheDepthBarTellsThePicturesRange) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.clickLine(0);
    w.tick();
    for (const char* chart : {"Chart__Single_file__Seysmo", "Chart__Single_file__Spectr"})
        EXPECT_EQ(w.find<QCustomPlot>(chart)->xAxis->range(), QCPRange(0, 50)) << chart;
    w.type("Edit__Depth_for_single", "20");
    w.tick();
    for (const char* chart : {"Chart__Single_file__Seysmo", "Chart__Single_file__Spectr"})
        EXPECT_EQ(w.find<QCustomPlot>(chart)->xAxis->range(), QCPRange(0, 20)) << chart;

    w.click("BitBtn__Make_trace");
    auto* track = w.find<QSlider>("TrackBar__Seysmo_trace");
    auto* scale = dynamic_cast<DepthScale*>(track->parentWidget());
    ASSERT_NE(scale, nullptr);
    track->setValue(25);
    w.tick();
    // The bar tells the range the picture is drawn to, once, above the picture's depth 0: no
    // number stands beside a depth of the picture it would contradict.
    const tTrcColumnsCnf& c = w.form->traces().seismoImage.conf;
    EXPECT_EQ(c.depthMax, 25);
    EXPECT_EQ(scale->RangeText(), "25 м");
    const QRect range = scale->RangeRect();
    EXPECT_GE(range.top(), 0);
    EXPECT_LE(range.bottom(), c.ColumnsTop());
    EXPECT_LT(range.bottom(), track->y());
}

} // namespace
