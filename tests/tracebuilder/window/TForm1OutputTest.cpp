// What leaves the main window: text files through the folder dialog, saved pictures, printed
// pages and the help document, with a message of ours for every failure.
#include "TraceWindow.h"

#include <QImageReader>
#include <QPrinter>

#include "PictureFormat.h"
#include "Unit2.h"
#include "tCatalogueSet.h"
#include "tTraceSet.h"

namespace {

QStringList textFiles(const QString& folder) {
    return QDir(folder).entryList({"*.txt"}, QDir::Files, QDir::Name);
}

// The folder dialog answered as a user would: make the proposed folder, open it, select it.
int TakeTheProposedFolder(QDialog& dialog) {
    auto& form = dynamic_cast<TForm2&>(dialog);
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton, {}, QPoint(10, form.BitBtn1->height() / 2));
    const QString proposed = form.Edit__New_folder_name->text();
    FolderList* list = form.DirectoryListBox__Folder_select;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(Qt::UserRole).toString() == proposed)
            list->setCurrentRow(i);
    QTest::mouseClick(form.BitBtn__Select_folder, Qt::LeftButton);
    return dialog.result();
}

TEST(TForm1Output, ExtractionWritesIntoTheProposedSiblingFolderAndKeepsTheTraceList) {
    MeasurementFolder folder;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    w.checkList()->item(0)->setCheckState(Qt::Unchecked);
    QString shownAt, proposed, caption;
    w.dialogs.onExec = [&](QDialog& dialog) {
        auto& form = dynamic_cast<TForm2&>(dialog);
        shownAt = form.DirectoryListBox__Folder_select->Folder();
        proposed = form.Edit__New_folder_name->text();
        caption = form.BitBtn__Select_folder->text();
        return TakeTheProposedFolder(dialog);
    };
    w.click("Button__Extract");
    EXPECT_EQ(shownAt, QFileInfo(folder.path()).absolutePath());
    EXPECT_EQ(proposed, folder.path() + "_extracted");
    EXPECT_EQ(caption, "Выбрать папку:  ~~~~");
    EXPECT_EQ(textFiles(proposed).size(), 5u);
    EXPECT_TRUE(textFiles(proposed).contains("f2__П_2_C_5_К_2.txt"));
    EXPECT_TRUE(w.dialogs.messages.empty());                       // a complete extraction is silent
    EXPECT_EQ(w.form->catalogue().catalogue.checked().size(), 6u); // the traces' list stays
    QDir(proposed).removeRecursively();
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
    EXPECT_EQ(w.dialogs.messages[0].text,
              "Записано файлов: 2. Пропущено каналов: 2 — в именах их файлов нет знака «_».");

    w.checkList()->item(0)->setCheckState(Qt::Unchecked); // plain.ssm sorts after p_1.ssm
    w.checkList()->item(1)->setCheckState(Qt::Unchecked);
    w.click("Button__Extract");
    ASSERT_EQ(w.dialogs.messages.size(), 2u);
    EXPECT_EQ(w.dialogs.messages[1].text,
              "Ни один файл не записан: в именах файлов отмеченных измерений нет знака «_».");

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
    form.Edit__New_folder_name->setText("/proc/no/such/folder");
    form.BitBtn1Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Не удалось создать папку «/proc/no/such/folder».");

    form.Edit__New_folder_name->setText("new/inner"); // a bare name goes where the list is
    form.BitBtn1Click();
    EXPECT_TRUE(QFileInfo(root.path() + "/new/inner").isDir());
    FolderList* list = form.DirectoryListBox__Folder_select;
    list->setCurrentRow(list->count() - 1); // "new", the only subfolder
    emit list->itemActivated(list->currentItem());
    EXPECT_EQ(list->Folder(), root.path() + "/new");
    EXPECT_EQ(form.BitBtn__Select_folder->text(), "Выбрать папку:  " + root.path() + "/new");
    form.BitBtn__Select_folderClick();
    EXPECT_EQ(form.chosenFolder, root.path() + "/new");
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(TForm1Output, SavedPicturesTakeTheFormatOfTheirNames) {
    MeasurementFolder folder;
    QTemporaryDir out;
    TraceWindow w(folder.path());
    w.click("BitBtn__Make_trace");
    const QImage whole = w.form->traces().seismoImage.WholeTrace(&w.form->traces().seismoProcessing);
    w.dialogs.files = {out.filePath("a"), out.filePath("b.png"), out.filePath("c.JPG"), out.filePath("d")};
    w.dialogs.filters = {"", "", "", "Рисунок PNG (*.png)"};
    for (int i = 0; i < 4; ++i)
        w.click("BitBtn__Save_seysmo_trace");
    for (const auto& [name, format] : {std::pair{"a.bmp", "bmp"}, std::pair{"b.png", "png"},
                                       std::pair{"c.JPG", "jpeg"}, std::pair{"d.png", "png"}}) {
        QImageReader reader(out.filePath(name));
        EXPECT_EQ(reader.format(), format) << name;
        EXPECT_EQ(reader.size(), whole.size()) << name;
    }
    EXPECT_EQ(QImage(out.filePath("b.png")), whole.convertToFormat(QImage(out.filePath("b.png")).format()));
    ASSERT_EQ(w.dialogs.requests.size(), 4u);
    EXPECT_EQ(w.dialogs.requests[0].filter, kPictureFilters);
    EXPECT_TRUE(w.dialogs.requests[0].filter.startsWith("Рисунок BMP (*.bmp)"));
    EXPECT_EQ(w.dialogs.requests[1].fileName, out.filePath("a.bmp")); // one dialog remembers the name
    EXPECT_TRUE(w.dialogs.messages.empty());

    // A name completed here that is taken is asked about; a place that cannot be written is said.
    w.dialogs.files = {out.filePath("a"), "/proc/no-such-place/s.bmp"};
    w.dialogs.filters = {"Рисунок BMP (*.bmp)"}; // the dialog offers the filter chosen last, PNG
    w.dialogs.answers = {QMessageBox::No};
    w.click("BitBtn__Save_spectr_trace");
    EXPECT_EQ(w.dialogs.requests[4].selectedFilter, "Рисунок PNG (*.png)");
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
