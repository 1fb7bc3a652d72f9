// What leaves the main window: text files through the folder dialog, saved pictures, printed
// pages and the help document, with a message of ours for every failure.
#include "TraceWindow.h"

#include <QImageReader>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>

#include "ExtractionRun.h"
#include "PictureFormat.h"
#include "Unit2.h"
#include "tCatalogueSet.h"
#include "tTraceSet.h"

namespace {

QStringList textFiles(const QString& folder) {
    return QDir(folder).entryList({"*.txt"}, QDir::Files, QDir::Name);
}

// The text of each page of a PDF, as pdftotext reads it.
QStringList PdfPages(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// A click on the glyph of the button under the new-folder edit.
void ClickCreate(TForm2& form) {
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton, {}, QPoint(10, form.BitBtn1->height() / 2));
}

TEST(TForm1Output, ExtractionAfterCreatingAFolderWritesIntoItAndEnterCreatesNothing) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    w.checkList()->item(0)->setCheckState(Qt::Unchecked);
    const QString parent = QFileInfo(folder.path()).absolutePath();
    const QString proposed = folder.path() + "_extracted";
    const QStringList besideBefore = textFiles(parent); // the temporary folder holds others' files
    QStringList captions;
    bool createdByEnter = true;
    QString openedByEnter;
    w.dialogs.onExec = [&](QDialog& dialog) {
        auto& form = dynamic_cast<TForm2&>(dialog);
        form.show();
        FolderList* list = form.DirectoryListBox__Folder_select;
        captions << form.BitBtn__Select_folder->text();
        EXPECT_EQ(form.Edit__New_folder_name->text(), QDir::toNativeSeparators(proposed));
        // Enter on the measurements' own folder in the list opens it and makes no folder.
        list->Highlight(folder.path());
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        openedByEnter = list->Folder();
        createdByEnter = QFileInfo::exists(proposed);
        captions << form.BitBtn__Select_folder->text();
        list->SetFolder(parent);
        ClickCreate(form); // the new folder is the one highlighted and named
        captions << form.BitBtn__Select_folder->text();
        QTest::mouseClick(form.BitBtn__Select_folder, Qt::LeftButton);
        return dialog.result();
    };
    w.click("Button__Extract");
    EXPECT_EQ(openedByEnter, folder.path());
    EXPECT_FALSE(createdByEnter);
    const auto shown = [](const QString& path) {
        return "Выбрать папку:  " + QDir::toNativeSeparators(path);
    };
    EXPECT_EQ(captions, (QStringList{shown(proposed), shown(folder.path()), shown(proposed)}));
    EXPECT_EQ(textFiles(proposed).size(), 5u);
    EXPECT_TRUE(textFiles(proposed).contains("f2__П_2_C_5_К_2.txt"));
    EXPECT_EQ(textFiles(parent), besideBefore); // nothing beside the created folder
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text,
              "Извлечено файлов: 5 в папку " + QDir::toNativeSeparators(proposed));
    EXPECT_EQ(w.dialogs.messages[0].icon, UserDialogs::Icon::Information);
    EXPECT_EQ(w.form->catalogue().catalogue.checked().size(), 6u); // the traces' list stays
    QDir(proposed).removeRecursively();
}

TEST(TForm1Output, AManyChannelExtractionShowsItsProgressAndCanBeStopped) {
    QStringList names;
    for (int i = 1; i <= 10; ++i)
        names << QString("m_%1.ssm").arg(i);
    MeasurementFolder folder(names);
    QTemporaryDir target;
    TraceWindow w(folder.path());
    bool stop = false;
    int barAtTheEnd = -1;
    w.dialogs.onExec = [&](QDialog& dialog) {
        if (auto* form = dynamic_cast<TForm2*>(&dialog)) {
            form->DirectoryListBox__Folder_select->SetFolder(target.path());
            form->BitBtn__Select_folderClick();
            return dialog.result();
        }
        auto& progress = dynamic_cast<ExtractionProgress&>(dialog);
        EXPECT_EQ(progress.windowTitle(), "Извлечение в папку");
        if (stop) {
            progress.show();
            QTest::mouseClick(progress.Button__Cancel_extraction, Qt::LeftButton);
            return progress.result();
        }
        const int result = progress.exec(); // a channel at each turn of its event loop
        barAtTheEnd = progress.ProgressBar__Extraction->value();
        return result;
    };
    w.click("Button__Extract");
    EXPECT_EQ(barAtTheEnd, 20);
    EXPECT_EQ(textFiles(target.path()).size(), 20u);
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text,
              "Извлечено файлов: 20 в папку " + QDir::toNativeSeparators(target.path()));

    QDir(target.path()).removeRecursively();
    QDir().mkpath(target.path());
    stop = true;
    w.click("Button__Extract");
    EXPECT_TRUE(textFiles(target.path()).isEmpty());
    ASSERT_EQ(w.dialogs.messages.size(), 2u);
    EXPECT_EQ(w.dialogs.messages[1].text, "Извлечено файлов: 0 в папку " +
                                              QDir::toNativeSeparators(target.path()) +
                                              "\nИзвлечение прервано: не записано каналов: 20.");
    EXPECT_EQ(w.dialogs.messages[1].icon, UserDialogs::Icon::Warning);
}

TEST(TForm1Output, AnExtractionThatSkipsOrWritesNothingSaysSo) {
    MeasurementFolder folder({"plain.ssm", "p_1.ssm"});
    QTemporaryDir target;
    TraceWindow w(folder.path());
    const auto chooseTarget = [&](QDialog& dialog) {
        auto& form = dynamic_cast<TForm2&>(dialog);
        form.DirectoryListBox__Folder_select->SetFolder(target.path());
        form.BitBtn__Select_folderClick();
        return dialog.result();
    };
    w.dialogs.onExec = chooseTarget;
    w.click("Button__Extract");
    EXPECT_EQ(textFiles(target.path()), (QStringList{"p__П_1_C_2_К_1.txt", "p__П_1_C_2_К_2.txt"}));
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text, "Извлечено файлов: 2 в папку " +
                                              QDir::toNativeSeparators(target.path()) +
                                              "\nПропущено каналов: 2 — в именах их файлов нет знака «_».");

    w.checkList()->item(0)->setCheckState(Qt::Unchecked); // plain.ssm sorts after p_1.ssm
    w.checkList()->item(1)->setCheckState(Qt::Unchecked);
    w.click("Button__Extract");
    ASSERT_EQ(w.dialogs.messages.size(), 2u);
    EXPECT_EQ(w.dialogs.messages[1].text, "Извлечено файлов: 0 в папку " +
                                              QDir::toNativeSeparators(target.path()) +
                                              "\nПропущено каналов: 2 — в именах их файлов нет знака «_».");

    w.dialogs.onExec = nullptr; // the dialog closed without a choice
    QDir(target.path()).removeRecursively();
    QDir().mkpath(target.path());
    w.click("Button__Extract");
    EXPECT_TRUE(textFiles(target.path()).isEmpty());
    EXPECT_EQ(w.dialogs.messages.size(), 2u);
}

TEST(TForm1Output, TheFolderDialogMakesOpensAndChoosesFolders) {
    QTemporaryDir root;
    ScriptedDialogs dialogs;
    TForm2 form(dialogs, nullptr);
    EXPECT_EQ(form.windowTitle(), "Выбор папки");
    form.Prepare(root.path() + "/site1");
    EXPECT_EQ(form.DirectoryListBox__Folder_select->Folder(), root.path());
    EXPECT_EQ(form.BitBtn__Select_folder->text(), "Выбрать папку:  " + root.path() + "/site1_extracted");
    EXPECT_FALSE(form.BitBtn1->isDefault() || form.BitBtn1->autoDefault());
    EXPECT_FALSE(form.BitBtn__Select_folder->isDefault() || form.BitBtn__Select_folder->autoDefault());
    form.Edit__New_folder_name->setText("/proc/no/such/folder");
    form.BitBtn1Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Не удалось создать папку «/proc/no/such/folder».");

    form.Edit__New_folder_name->setText("new/inner"); // a bare name goes where the list is
    form.BitBtn1Click();
    EXPECT_TRUE(QFileInfo(root.path() + "/new/inner").isDir());
    FolderList* list = form.DirectoryListBox__Folder_select;
    EXPECT_EQ(list->Folder(), root.path() + "/new"); // shown at its parent, highlighted
    EXPECT_EQ(list->Highlighted(), root.path() + "/new/inner");
    EXPECT_EQ(form.BitBtn__Select_folder->text(), "Выбрать папку:  " + root.path() + "/new/inner");
    list->Highlight(root.path());
    emit list->itemActivated(list->currentItem());
    EXPECT_EQ(list->Folder(), root.path());
    EXPECT_EQ(form.BitBtn__Select_folder->text(), "Выбрать папку:  " + root.path());
    list->Highlight(root.path() + "/new");
    form.BitBtn__Select_folderClick();
    EXPECT_EQ(form.chosenFolder, root.path() + "/new");
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// A script may cut columns out of the saved bitmap by their places: it keeps the columns' width
// unless the title is asked for.
TEST(TForm1Output, TheSavedBitmapHasTheTitleOnlyWhenItsBoxIsTicked) {
    MeasurementFolder folder({"f1_001.ssm", "f1_002.ssm"}); // four measurements, two channels each
    QTemporaryDir out;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    w.dialogs.files = {out.filePath("plain.bmp"), out.filePath("titled.bmp")};
    w.click("BitBtn__Save_seysmo_trace");
    w.tickBox("CheckBox__Seysmo_title");
    w.click("BitBtn__Save_seysmo_trace");
    EXPECT_EQ(QImage(out.filePath("plain.bmp")).width(), 245);
    const QImage titled = w.form->traces().seismoImage.TitledTrace(&w.form->traces().seismoProcessing);
    EXPECT_EQ(QImage(out.filePath("titled.bmp")),
              titled.convertToFormat(QImage(out.filePath("titled.bmp")).format()));
    EXPECT_GT(titled.height(), QImage(out.filePath("plain.bmp")).height());
}

TEST(TForm1Output, SavedPicturesTakeTheFormatOfTheirNames) {
    MeasurementFolder folder;
    QTemporaryDir out;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    const QImage whole = w.form->traces().seismoImage.WholeTrace(&w.form->traces().seismoProcessing);
    w.dialogs.files = {out.filePath("a"), out.filePath("b.png"), out.filePath("c.JPG"), out.filePath("d"),
                       out.filePath("e.Pdf")};
    w.dialogs.filters = {"", "", "", "Рисунок PNG (*.png)", ""};
    for (int i = 0; i < 5; ++i)
        w.click("BitBtn__Save_seysmo_trace");
    for (const auto& [name, format] : {std::pair{"a.bmp", "bmp"}, std::pair{"b.png", "png"},
                                       std::pair{"c.JPG", "jpeg"}, std::pair{"d.png", "png"}}) {
        QImageReader reader(out.filePath(name));
        EXPECT_EQ(reader.format(), format) << name;
        EXPECT_EQ(reader.size(), whole.size()) << name;
    }
    EXPECT_EQ(QImage(out.filePath("b.png")), whole.convertToFormat(QImage(out.filePath("b.png")).format()));
    const QStringList pages = PdfPages(out.filePath("e.Pdf"));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains("СЕЙСМО Трасса")) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains("Лист 1 из 1"));
    ASSERT_EQ(w.dialogs.requests.size(), 5u);
    EXPECT_EQ(w.dialogs.requests[0].filter, kPictureFilters);
    EXPECT_TRUE(w.dialogs.requests[0].filter.startsWith("Рисунок BMP (*.bmp)"));
    EXPECT_EQ(w.dialogs.requests[1].fileName, out.filePath("a.bmp")); // one dialog remembers the name
    EXPECT_TRUE(w.dialogs.messages.empty());

    // A name completed here that is taken is asked about; a place that cannot be written is said.
    w.dialogs.files = {out.filePath("a"), "/proc/no-such-place/s.bmp"};
    w.dialogs.filters = {"Рисунок BMP (*.bmp)"}; // the dialog offers the filter chosen last, PNG
    w.dialogs.answers = {QMessageBox::No};
    w.click("BitBtn__Save_spectr_trace");
    EXPECT_EQ(w.dialogs.requests[5].selectedFilter, "Рисунок PNG (*.png)");
    EXPECT_EQ(QImageReader(out.filePath("a.bmp")).size(), whole.size()); // still the seismo trace
    w.click("BitBtn__Save_spectr_trace");
    ASSERT_EQ(w.dialogs.messages.size(), 2u);
    EXPECT_EQ(w.dialogs.messages[0].text,
              "Файл «" + out.filePath("a.bmp") + "» уже существует. Заменить его?");
    EXPECT_EQ(w.dialogs.messages[1].text, "Не удалось сохранить рисунок в файл «/proc/no-such-place/s.bmp».");
}

TEST(TForm1Output, ATracePrintsOnOneLandscapePage) {
    MeasurementFolder folder;
    QTemporaryDir out;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    w.click("BitBtn__Print_spectr"); // cancelled: nothing
    const QString pdf = out.filePath("trace.pdf");
    w.dialogs.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    w.click("BitBtn__Print_spectr");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("/Count 1"));
    const qsizetype box = bytes.indexOf("/MediaBox [");
    ASSERT_GE(box, 0);
    const QList<QByteArray> corners = bytes.mid(box + 11, 40).split(']').first().split(' ');
    ASSERT_GE(corners.size(), 4);
    EXPECT_GT(corners[2].toDouble(), corners[3].toDouble()); // wider than high
    EXPECT_TRUE(w.dialogs.messages.empty());
}

TEST(TForm1Output, WithoutAPrinterThePagesAreOfferedAsAPdf) {
    MeasurementFolder folder;
    QTemporaryDir out;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    w.dialogs.printers = false;
    w.dialogs.onPrinter = [](QPrinter&) {
        ADD_FAILURE() << "no print dialog without a printer";
        return false;
    };
    w.click("BitBtn__Print_seysmo"); // declined: nothing saved
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w.dialogs.messages[0].text.startsWith("Принтер не найден"));
    EXPECT_TRUE(w.dialogs.requests.empty());

    w.dialogs.answers = {QMessageBox::Yes};
    w.dialogs.files = {out.filePath("сваи")};
    w.click("BitBtn__Print_seysmo");
    ASSERT_EQ(w.dialogs.requests.size(), 1u);
    EXPECT_EQ(w.dialogs.requests[0].selectedFilter, "Листы для печати PDF (*.pdf)");
    QFile pdf(out.filePath("сваи.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
}

TEST(TForm1Output, HelpIsTheDocumentBesideTheProgram) {
    QTemporaryDir program;
    TraceWindow w(QDir::currentPath(), program.path());
    w.click("Button__Help");
    ASSERT_EQ(w.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.dialogs.messages[0].text,
              "Файл справки «Help.pdf» не найден в папке программы " + program.path() + ".");
    EXPECT_TRUE(w.dialogs.urls.empty());

    QFile help(program.filePath("Help.pdf"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("%PDF-1.4\n");
    help.close();
    w.click("Button__Help");
    ASSERT_EQ(w.dialogs.urls.size(), 1u);
    EXPECT_EQ(w.dialogs.urls[0], QUrl::fromLocalFile(program.filePath("Help.pdf")));
    w.dialogs.urlsOpen = false;
    w.click("Button__Help");
    ASSERT_EQ(w.dialogs.messages.size(), 2u);
    EXPECT_TRUE(w.dialogs.messages[1].text.startsWith("Не удалось открыть справку"));
}

} // namespace

namespace {

TEST(TForm1Output, A300ColumnPrintSpreadsOverPagesWithTheTitleBlockOnEach) {
    QStringList names;
    for (int i = 1; i <= 150; ++i)
        names << QString("w_%1.ssm").arg(i, 3, 10, QChar('0'));
    MeasurementFolder folder(names);
    QTemporaryDir out;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    ASSERT_EQ(w.form->traces().seismoImage.conf.count, 300);
    const QString pdf = out.filePath("trace.pdf");
    double rowMm = 0;
    w.dialogs.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        rowMm = printer.pageLayout().paintRect(QPageLayout::Millimeter).width() - 12; // less the depths
        return true;
    };
    w.click("BitBtn__Print_seysmo");
    EXPECT_TRUE(w.dialogs.messages.empty());
    // Columns at least 4 mm wide: as many pages as that takes.
    const int pages = int(std::ceil(300.0 / std::floor(rowMm / 4)));
    EXPECT_GE(pages, 4);
    const QStringList texts = PdfPages(pdf);
    ASSERT_EQ(texts.size(), pages);
    for (int k = 0; k < pages; ++k) {
        const QString& page = texts[k];
        EXPECT_TRUE(page.contains("СЕЙСМО Трасса")) << k;
        EXPECT_TRUE(page.contains(QString("Лист %1 из %2").arg(k + 1).arg(pages))) << k;
        EXPECT_TRUE(page.contains("Папка: " + folder.path())) << k;
        EXPECT_TRUE(page.contains("Скорость: 2000 м/с")) << k;
        EXPECT_TRUE(page.contains("Усиление: 0")) << k;
        EXPECT_TRUE(page.contains("Глубина: 0–50 м")) << k;
        EXPECT_TRUE(page.contains("Измерени")) << k; // the date or dates of the measurements
    }
}

} // namespace
