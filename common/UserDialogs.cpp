#include "UserDialogs.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTreeView>

#include <algorithm>
#include <exception>
#include <new>

namespace {

QMessageBox::Icon boxIcon(UserDialogs::Icon icon) {
    switch (icon) {
    case UserDialogs::Icon::Information:
        return QMessageBox::Information;
    case UserDialogs::Icon::Warning:
        return QMessageBox::Warning;
    case UserDialogs::Icon::Question:
        return QMessageBox::Question;
    case UserDialogs::Icon::Error:
        break;
    }
    return QMessageBox::Critical;
}

// Qt's own translation leaves the kinds of the file list in English ("Folder", "ssm File").
class RussianKinds : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        if (info.isRoot())
            return QStringLiteral("Диск");
        if (info.isDir())
            return QStringLiteral("Папка");
        if (info.suffix().isEmpty())
            return QStringLiteral("Файл");
        return QStringLiteral("Файл %1").arg(info.suffix());
    }
};

// The dialog's file list in Russian, its dates not cut short.
void ReadRussian(QFileDialog& dialog) {
    static RussianKinds kinds;
    dialog.setIconProvider(&kinds);
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const QString date =
            QLocale().toString(QDateTime(QDate(2026, 12, 30), QTime(23, 59)), QLocale::ShortFormat);
        const int dateWidth =
            list->fontMetrics().horizontalAdvance(date) + 3 * list->fontMetrics().averageCharWidth();
        list->header()->resizeSection(3, std::max(list->header()->sectionSize(3), dateWidth));
    }
}

UserDialogs::FileChoice runFileDialog(QWidget* parent, const UserDialogs::FileRequest& request, bool save) {
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    ReadRussian(dialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    dialog.setFilter(dialog.filter() | QDir::Hidden);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().front(), dialog.selectedNameFilter()};
}

} // namespace

void QtUserDialogs::message(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

QMessageBox::StandardButton QtUserDialogs::question(QWidget* parent, const QString& caption,
                                                    const QString& text, QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton) {
    QMessageBox box(QMessageBox::Question, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

UserDialogs::FileChoice QtUserDialogs::saveFile(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, true);
}

UserDialogs::FileChoice QtUserDialogs::openFile(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, false);
}

QString QtUserDialogs::folder(QWidget* parent, const QString& caption, const QString& start) {
    QFileDialog dialog(parent, caption, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    ReadRussian(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

bool QtUserDialogs::printerInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool PdfInsteadOfPrinter(UserDialogs& dialogs, QWidget* parent) {
    return dialogs.question(parent, QGuiApplication::applicationDisplayName(),
                            QStringLiteral("Принтер не найден: в системе не установлен ни один принтер.\n"
                                           "Сохранить листы для печати в файл PDF?"),
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtUserDialogs::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int QtUserDialogs::exec(QDialog& dialog) {
    return dialog.exec();
}

bool QtUserDialogs::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool RunGuarded(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& handler) {
    QString text;
    try {
        handler();
        return true;
    } catch (const std::bad_alloc&) {
        // The library's own text is English and says nothing to a field engineer.
        text = QStringLiteral("Недостаточно памяти для этого действия");
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Неизвестная ошибка");
    }
    dialogs.message(parent, QGuiApplication::applicationDisplayName(), text, UserDialogs::Icon::Error);
    return false;
}
