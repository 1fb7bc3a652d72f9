#pragma once
// Dialogs with scripted answers for window tests: every call is recorded, answers are taken
// from queues in order, and a call without an answer gets the cancelling one.

#include "UserDialogs.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

class ScriptedDialogs : public UserDialogs {
public:
    struct Shown {
        QString caption, text;
        Icon icon;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton; // of a question
    };

    std::vector<Shown> messages;       // message boxes and questions, in order
    std::vector<FileRequest> requests; // file dialogs, in order
    QStringList folderCaptions;
    QStringList folderStarts; // where each folder dialog started
    std::vector<QUrl> urls;

    std::deque<QMessageBox::StandardButton> answers; // questions
    std::deque<QString> files;                       // file dialogs; "" cancels
    std::deque<QString> filters;                     // filter chosen with each file, optional
    std::deque<QString> folders;                     // folder dialogs; "" cancels
    std::function<bool(QPrinter&)> onPrinter;        // print dialog; none cancels
    bool printers = true;                            // whether a printer is installed
    std::function<int(QDialog&)> onExec;             // own dialogs; none rejects unshown
    bool urlsOpen = true;

    void message(QWidget*, const QString& caption, const QString& text, Icon icon) override {
        messages.push_back({caption, text, icon});
    }
    using UserDialogs::question;
    QMessageBox::StandardButton question(QWidget*, const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override {
        messages.push_back({caption, text, Icon::Question, defaultButton});
        if (answers.empty())
            return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
    FileChoice saveFile(QWidget*, const FileRequest& request) override { return nextFile(request); }
    FileChoice openFile(QWidget*, const FileRequest& request) override { return nextFile(request); }
    QString folder(QWidget*, const QString& caption, const QString& start) override {
        folderCaptions << caption;
        folderStarts << start;
        return take(folders);
    }
    bool printerInstalled() override { return printers; }
    bool choosePrinter(QWidget*, QPrinter& printer) override { return onPrinter && onPrinter(printer); }
    int exec(QDialog& dialog) override { return onExec ? onExec(dialog) : int(QDialog::Rejected); }
    bool openUrl(const QUrl& url) override {
        urls.push_back(url);
        return urlsOpen;
    }

    // Texts of the boxes shown so far.
    QStringList texts() const {
        QStringList t;
        for (const Shown& s : messages)
            t << s.text;
        return t;
    }

private:
    static QString take(std::deque<QString>& queue) {
        if (queue.empty())
            return {};
        QString s = queue.front();
        queue.pop_front();
        return s;
    }
    FileChoice nextFile(const FileRequest& request) {
        requests.push_back(request);
        const QString name = take(files);
        QString filter = take(filters);
        if (filter.isEmpty())
            filter = request.selectedFilter.isEmpty() ? request.filter.section(";;", 0, 0)
                                                      : request.selectedFilter;
        return {name, name.isEmpty() ? QString() : filter};
    }
};
