#pragma once
// Every dialog a window opens goes through this interface: message boxes, file and folder
// choices, printers, the system's default handlers and the window's own modal dialogs. The
// programs use QtUserDialogs; tests hand in scripted answers instead and never wait on a
// real dialog.

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

class UserDialogs {
public:
    enum class Icon { Information, Warning, Error, Question };

    // What a file dialog is asked for. Filters are Qt's "Name (*.ext);;Other (*.x)" form.
    struct FileRequest {
        QString title;
        QString folder;   // initial folder
        QString fileName; // proposed name, empty for none
        QString filter;
        QString selectedFilter; // initially selected filter, empty = the first
        QString defaultSuffix;  // without the dot, added when the user types none
    };
    // The chosen file, empty when cancelled, and the filter in force when it was chosen.
    struct FileChoice {
        QString fileName;
        QString filter;
        bool chosen() const { return !fileName.isEmpty(); }
    };

    virtual ~UserDialogs() = default;

    // A message box with an OK button.
    virtual void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) = 0;
    // A question box; returns the button pressed (the escape button when closed otherwise). Enter
    // presses `defaultButton`; with none the box chooses. A question whose Yes discards work
    // names No here.
    virtual QMessageBox::StandardButton question(QWidget* parent, const QString& caption, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton) = 0;
    QMessageBox::StandardButton question(QWidget* parent, const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons buttons) {
        return question(parent, caption, text, buttons, QMessageBox::NoButton);
    }
    // Save: asks before overwriting an existing file. Open: requires an existing file.
    virtual FileChoice saveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual FileChoice openFile(QWidget* parent, const FileRequest& request) = 0;
    // An existing folder, empty when cancelled.
    virtual QString folder(QWidget* parent, const QString& caption, const QString& start) = 0;
    // Whether the system has any printer to print on.
    virtual bool printerInstalled() = 0;
    // The print dialog on `printer`; false when cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Runs one of the program's own modal dialogs and returns its result code.
    virtual int exec(QDialog& dialog) = 0;
    // A document or address opened with the system's default program; false when none took it.
    virtual bool openUrl(const QUrl& url) = 0;
};

// The real dialogs of the toolkit.
class QtUserDialogs : public UserDialogs {
public:
    void message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    using UserDialogs::question;
    QMessageBox::StandardButton question(QWidget* parent, const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    FileChoice saveFile(QWidget* parent, const FileRequest& request) override;
    FileChoice openFile(QWidget* parent, const FileRequest& request) override;
    QString folder(QWidget* parent, const QString& caption, const QString& start) override;
    bool printerInstalled() override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    int exec(QDialog& dialog) override;
    bool openUrl(const QUrl& url) override;
};

// Where no printer is installed, says so and offers the pages as a PDF to print elsewhere; true
// when the PDF is wanted.
bool PdfInsteadOfPrinter(UserDialogs& dialogs, QWidget* parent);

// Runs a handler so that no exception crosses the event loop: an error is shown in an error
// box with the application's display name as caption, and the window goes on. Returns false
// when the handler failed.
bool RunGuarded(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& handler);
