// The main window's commands on the record shown: colours, report, export and the
// time-frequency window, each run from its action with scripted dialogs.
#include "WindowFixture.h"

#include "../report/PdfText.h"
#include "ChartPanel.h"
#include "CsvExport.h"
#include "FTProcessingForm.h"
#include "FreqView.h"
#include "MainStatusBar.h"
#include "NumberEdit.h"
#include "TimeView.h"

#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeZone>
#include <QToolBar>
#include <QToolButton>
#include <qcustomplot.h>

namespace {

class MainCommands : public WindowFixture {
protected:
    // When the fixture's measurement of minute `minute` was taken, as a file name gives it.
    static QString measured(int minute) {
        return QDateTime(QDate(2026, 6, 15), QTime(8, minute), QTimeZone::utc())
            .toLocalTime()
            .toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
    }
    QColor seriesColour(QCustomPlot* chart, int series) { return chart->graph(series)->pen().color(); }
    QColor markerColour(int i) {
        return window->StatusBar->ColorMarkers[std::size_t(i)]->palette().color(QPalette::Window);
    }
    // Picks the colour after the shown one for `row`, through the grid's cell and its box.
    static void pickNext(QDialog& form, int row) {
        auto* grid = form.findChild<QTableWidget*>("ColorsDrawGrid");
        auto* box = form.findChild<QComboBox*>("ColorComboBox");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 1)).center());
        QTest::keyClick(box, Qt::Key_Down);
    }
};

TEST_F(MainCommands, ColoursPickedAndAppliedReachSeriesMarkersAndTheIniAtExit) {
    TMainForm& w = openSite();
    // Cancel after a pick: nothing changes.
    dialogs.onExec = [](QDialog& form) {
        form.show();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Цвета"));
        pickNext(form, 0);
        return int(QDialog::Rejected);
    };
    trigger("ColorsAction");
    EXPECT_EQ(seriesColour(w.TimeChart(), 0), QColor(Qt::blue));
    EXPECT_EQ(w.Flags().ChColor[0], 0xFF0000u);

    // Sensor 2: red, then lime (the next standard colour) on "Применить".
    dialogs.onExec = [](QDialog& form) {
        form.show();
        pickNext(form, 1);
        QTest::mouseClick(form.findChild<QPushButton*>("ApplyButton"), Qt::LeftButton);
        return form.result();
    };
    trigger("ColorsAction");
    EXPECT_EQ(seriesColour(w.TimeChart(), 1), QColor(Qt::green));
    EXPECT_EQ(seriesColour(w.FreqChart(), 1), QColor(Qt::green));
    EXPECT_EQ(markerColour(1), QColor(Qt::green));
    EXPECT_EQ(seriesColour(w.TimeChart(), 0), QColor(Qt::blue));
    EXPECT_FALSE(iniText().contains("ChColor1=65280")) << "colours are written at exit";
    ASSERT_TRUE(closeWindow());
    EXPECT_TRUE(iniText().contains("ChColor1=65280"));
}

TEST_F(MainCommands, TheReportPrintsTheGainInForceAndTheCommentTypedLast) {
    TMainForm& w = openSite();
    const QString recorded = find<QTableWidget>("ParamStringGrid")->item(2, 1)->text();
    auto* gain = w.ChartPanel->TimeView->AmpEdit;
    gain->selectAll();
    QTest::keyClicks(gain, "0,75");
    QTest::keyClick(gain, Qt::Key_Return);
    ASSERT_DOUBLE_EQ(w.FGain(), 0.75);
    auto* comment = find<QPlainTextEdit>("CommentDBMemo");
    comment->setFocus();
    typeText(comment, QStringLiteral("трещина"));
    QTest::keyClick(comment, Qt::Key_Return);
    typeText(comment, QStringLiteral("на 4 м"));

    // The preview's own button saves the page as PDF, under a name made of the record.
    const QString pdf = at("data/report.pdf");
    dialogs.files.push_back(pdf);
    dialogs.onExec = [](QDialog& preview) {
        EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(&preview), nullptr);
        EXPECT_EQ(preview.windowTitle(), QStringLiteral("Просмотр отчёта"));
        QStringList buttons;
        for (QAction* a : preview.findChild<QToolBar*>()->actions()) {
            buttons << a->text();
            if (a->text() == QStringLiteral("Сохранить в PDF"))
                a->trigger();
        }
        EXPECT_EQ(buttons.back(), QStringLiteral("Закрыть"));
        return int(QDialog::Accepted);
    };
    trigger("PrintReportAction");
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].fileName,
              QStringLiteral("П1_С3_") + measured(0) + QStringLiteral("_отчёт.pdf"));
    EXPECT_EQ(dialogs.requests[0].folder, w.ProjectPath());
    const QString text = PdfText(bytesOf(pdf)).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Усиление 0,750"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("№ сваи: 3")));
    // The comment's lines stand below its caption, beside the parameter table.
    EXPECT_TRUE(text.contains(QStringLiteral("Комментарий: трещина")));
    EXPECT_TRUE(text.contains(QStringLiteral("на 4 м")));
    EXPECT_EQ(find<QTableWidget>("ParamStringGrid")->item(2, 1)->text(), recorded);
    EXPECT_TRUE(w.MainDataModule.IsProjectModified()) << "the comment was posted";
}

// Each export proposes a name made of the record, the first in the project's folder, the next
// where the last one went.
TEST_F(MainCommands, ExportsWriteTheCoresTextsAndSaySo) {
    TMainForm& w = openSite();
    QDir(at("data")).mkdir("out");
    dialogs.files = {at("data/out/signal.csv"), at("data/spectrum.csv")};
    trigger("SignalExportAction");
    trigger("SpectrExportAction");
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.requests[0].title, QStringLiteral("Файл экспорта"));
    EXPECT_EQ(dialogs.requests[0].folder, w.ProjectPath());
    EXPECT_EQ(dialogs.requests[0].fileName,
              QStringLiteral("П1_С3_") + measured(0) + QStringLiteral("_сигнал.csv"));
    EXPECT_EQ(dialogs.requests[1].folder, at("data/out"));
    EXPECT_EQ(dialogs.requests[1].fileName,
              QStringLiteral("П1_С3_") + measured(0) + QStringLiteral("_спектр.csv"));
    const TMeasureResult& r = w.CurrentMeasure();
    EXPECT_EQ(bytesOf(at("data/out/signal.csv")),
              SignalExportText({r.Ch0Data, r.Ch1Data, r.HamData, r.SampleLen, r.SampleFreq}, w.Spectra()));
    EXPECT_EQ(bytesOf(at("data/spectrum.csv")), SpectrumExportText(w.Spectra()));
    EXPECT_EQ(dialogs.texts(), (QStringList{"Экспорт завершён\nФайл: " + at("data/out/signal.csv"),
                                            "Экспорт завершён\nФайл: " + at("data/spectrum.csv")}));
}

TEST_F(MainCommands, TheTimeFrequencyWindowGetsTheRecordShownFromTheButtonBesideTheSpectrum) {
    TMainForm& w = openSite();
    QTest::keyClick(find("DBGrid"), Qt::Key_Down);
    ASSERT_EQ(w.CurrentMeasure().PileNumber, 4);
    auto* velocity = w.ChartPanel->TimeView->VelocityEdit;
    velocity->selectAll();
    QTest::keyClicks(velocity, "3650");
    QTest::keyClick(velocity, Qt::Key_Return);

    bool computed = false;
    dialogs.onExec = [&](QDialog& dialog) {
        auto* form = dynamic_cast<TFTProcessingForm*>(&dialog);
        EXPECT_NE(form, nullptr);
        if (!form)
            return int(QDialog::Rejected);
        form->show();
        EXPECT_EQ(form->findChild<QLineEdit*>("eVelocity")->text(), QStringLiteral("3650,0"));
        const TMeasureResult& r = w.CurrentMeasure();
        EXPECT_EQ(form->Processing().SampleCount(), r.SampleLen);
        QTest::mouseClick(form->findChild<QPushButton*>("sbCalc"), Qt::LeftButton);
        computed = form->Ready();
        return int(QDialog::Rejected);
    };
    auto* button = w.ChartPanel->FreqView->FTProcessingButton;
    EXPECT_EQ(button->text(), QStringLiteral("ЧВ-анализ"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(computed);
}

} // namespace
