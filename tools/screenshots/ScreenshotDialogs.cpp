#include "ScreenshotDialogs.h"

#include <QDialog>

void ScreenshotDialogs::message(QWidget*, const QString&, const QString& text, Icon) {
    messages << text;
}

QMessageBox::StandardButton ScreenshotDialogs::question(QWidget*, const QString&, const QString& text,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::StandardButton) {
    messages << text;
    return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
}

UserDialogs::FileChoice ScreenshotDialogs::saveFile(QWidget*, const FileRequest&) {
    return {};
}

UserDialogs::FileChoice ScreenshotDialogs::openFile(QWidget*, const FileRequest&) {
    return {};
}

QString ScreenshotDialogs::folder(QWidget*, const QString&, const QString&) {
    if (folders.empty())
        return {};
    QString answer = folders.front();
    folders.pop_front();
    return answer;
}

bool ScreenshotDialogs::choosePrinter(QWidget*, QPrinter&) {
    return false;
}

int ScreenshotDialogs::exec(QDialog& dialog) {
    return onExec ? onExec(dialog) : int(QDialog::Rejected);
}

bool ScreenshotDialogs::openUrl(const QUrl&) {
    return false;
}
