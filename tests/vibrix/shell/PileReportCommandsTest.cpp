// The main window's pile reports run from the "Файл" menu with scripted dialogs: the current
// pile's page in the preview, the site report written, a cancelled one that keeps the file, one
// that cannot be written, and the report of the piles chosen in the list.
#include "WindowFixture.h"

#include "../report/PdfText.h"
#include "DataPage.h"
#include "MainActions.h"
#include "PilePage.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

using PileReportCommands = WindowFixture;

TEST_F(PileReportCommands, PileReportPreviewsTheCurrentRecordsPile) {
    TMainForm& w = openSite();
    const QString pdf = at("data/pile.pdf");
    dialogs.files.push_back(pdf);
    dialogs.onExec = [](QDialog& preview) {
        EXPECT_EQ(preview.windowTitle(), QStringLiteral("Отчёт по свае"));
        for (QAction* a : preview.findChild<QToolBar*>()->actions())
            if (a->text() == QStringLiteral("Сохранить в PDF"))
                a->trigger();
        return int(QDialog::Accepted);
    };
    trigger("PileReportAction");
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].fileName, QStringLiteral("участок 1, свая 3 - отчёт.pdf"));
    EXPECT_EQ(dialogs.requests[0].folder, w.ProjectPath());
    const QString text = PdfText(bytesOf(pdf)).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Участок 1 Свая 3 Дата испытания: 15.06.2026")))
        << text.toStdString();
}

TEST_F(PileReportCommands, TheReportHeaderIsTakenOnOkAndPrintedOnThePilesPage) {
    TMainForm& w = openSite();
    dialogs.onExec = [](QDialog& d) {
        d.findChild<QLineEdit*>("HeaderEdit_object")->setText(QStringLiteral("  ул. Ленина, 1 "));
        return int(QDialog::Rejected);
    };
    trigger("ReportHeaderAction");
    EXPECT_FALSE(w.Actions->SaveProjectAction->isEnabled()) << "a cancelled dialog changes nothing";
    dialogs.onExec = [](QDialog& d) {
        d.findChild<QLineEdit*>("HeaderEdit_object")->setText(QStringLiteral("  ул. Ленина, 1 "));
        d.findChild<QLineEdit*>("HeaderEdit_signer")->setText(QStringLiteral("Иванов И. И."));
        return int(QDialog::Accepted);
    };
    trigger("ReportHeaderAction");
    EXPECT_TRUE(w.Actions->SaveProjectAction->isEnabled());
    const QString pdf = at("data/pile.pdf");
    dialogs.files.push_back(pdf);
    dialogs.onExec = [](QDialog& preview) {
        for (QAction* a : preview.findChild<QToolBar*>()->actions())
            if (a->text() == QStringLiteral("Сохранить в PDF"))
                a->trigger();
        return int(QDialog::Accepted);
    };
    trigger("PileReportAction");
    const QString text = PdfText(bytesOf(pdf)).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Объект: ул. Ленина, 1 Участок 1"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Иванов И. И."))) << text.toStdString();
}

TEST_F(PileReportCommands, SiteReportWritesEveryPileACancelKeepsTheFileAFailureIsSaid) {
    TMainForm& w = openSite();
    const QString pdf = at("data/site.pdf");
    dialogs.files.push_back(pdf);
    trigger("SiteReportAction");
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].fileName, QStringLiteral("site - отчёт по участку.pdf"));
    const QByteArray written = bytesOf(pdf);
    const QStringList pages = PdfText(written).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 1 + 2) << "the summary, then piles 3 and 4";
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Свая 4")));
    EXPECT_EQ(w.statusBar()->currentMessage(),
              QStringLiteral("Отчёт по участку записан в файл «%1»").arg(QDir::toNativeSeparators(pdf)));

    // The progress dialog's cancel button, pressed as soon as the dialog shows.
    dialogs.files.push_back(pdf);
    bool cancelled = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(top); progress && progress->isVisible()) {
                progress->cancel();
                cancelled = true;
                watch.stop();
            }
    });
    watch.start(0);
    trigger("SiteReportAction");
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(bytesOf(pdf), written);
    EXPECT_TRUE(dialogs.messages.empty()) << "a cancel is no failure";

    // A folder that is not there: the failure is said, with the file's name.
    const QString nowhere = at("data/no/such/site.pdf");
    dialogs.files.push_back(nowhere);
    trigger("SiteReportAction");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("Отчёт по участку не записан в файл «%1»: ").arg(QDir::toNativeSeparators(nowhere))))
        << dialogs.messages[0].text.toStdString();
}

TEST_F(PileReportCommands, TheChosenPilesGoIntoAReportOfTheirOwnAndTheStepsAreInTheEditMenu) {
    TMainForm& w = openSite();
    trigger("ChosenPilesReportAction"); // from the records' page: the piles are chosen on theirs
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(w.PageControl->currentWidget(), w.PilePage);
    EXPECT_TRUE(dialogs.requests.empty());

    const std::optional<TPileKey> first = w.PilePage->CurrentPile();
    ASSERT_TRUE(first);
    ASSERT_TRUE(w.PilePage->SelectPile({first->site, 4}));
    const QString pdf = at("data/chosen.pdf");
    dialogs.files.push_back(pdf);
    trigger("ChosenPilesReportAction");
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].fileName, QStringLiteral("site - отчёт по сваям.pdf"));
    const QStringList pages = PdfText(bytesOf(pdf)).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 1 + 1) << "the summary, then pile 4 alone";
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Свая 4")));
    EXPECT_EQ(w.statusBar()->currentMessage(),
              QStringLiteral("Отчёт по сваям записан в файл «%1»").arg(QDir::toNativeSeparators(pdf)));

    // The verdict steps are in "Правка", and take the engineer to the page where they are done.
    QMenu* edit = nullptr;
    for (QAction* menu : w.menuBar()->actions())
        if (menu->text() == QStringLiteral("Правка"))
            edit = menu->menu();
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->actions().value(0), w.PilePage->UndoAction);
    EXPECT_EQ(edit->actions().value(1), w.PilePage->RedoAction);
    w.PilePage->SetClass(QStringLiteral("II"));
    w.PageControl->setCurrentWidget(w.DataPage);
    w.PilePage->UndoAction->trigger();
    EXPECT_EQ(w.PageControl->currentWidget(), w.PilePage);
    EXPECT_EQ(w.PilePage->Analyser().VerdictOf({first->site, 4}).cls, QString());
}

} // namespace
