#pragma once
// The dialogs of a screenshot run: nothing ever waits for a user. A program's own modal dialog
// goes to the scene's handler (which shows and grabs it), file and folder choices take the
// scene's answers or are cancelled, and every message box is kept, so that a picture made
// while the program complained is reported as not made.

#include "UserDialogs.h"

#include <QStringList>

#include <deque>
#include <functional>

class ScreenshotDialogs : public UserDialogs {
public:
    std::deque<QString> folders;         // answers of the folder dialogs; none cancels
    std::function<int(QDialog&)> onExec; // the program's own dialogs; none rejects unshown
    QStringList messages;                // texts of the boxes shown so far

    void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    using UserDialogs::question;
    QMessageBox::StandardButton question(QWidget* parent, const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    FileChoice saveFile(QWidget* parent, const FileRequest& request) override;
    FileChoice openFile(QWidget* parent, const FileRequest& request) override;
    QString folder(QWidget* parent, const QString& caption, const QString& start) override;
    bool printerInstalled() override { return true; }
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    int exec(QDialog& dialog) override;
    bool openUrl(const QUrl& url) override;
};
