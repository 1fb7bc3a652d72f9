#pragma once
// The import's progress window "Добавление записей": two counters and a button that reads
// "Прервать" while the folder is walked and "ОК" after it; every file that was not added is
// listed under the counters at the end, with the reason.

#include "DownloadProgress.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TDownloadForm : public QDialog {
    Q_OBJECT
public:
    explicit TDownloadForm(QWidget* parent = nullptr);
    ~TDownloadForm() override;

    QString Path;                                      // folder to import
    std::function<int(const TReadMeasure&)> OnAddFile; // 0 = a row was added

    QLabel* ReadLabel; // files handed over so far
    QLabel* AddLabel;  // rows added so far
    QPushButton* MainSpeedButton;
    QPlainTextEdit* FailuresMemo; // files not added, with the reason

    // The text listing the files not added, empty when there are none: those that could not be
    // added first, then those already in the project, each part sorted by name.
    static QString FailuresText(std::vector<TDownloadProgress::Failure> notAdded);

    void done(int result) override; // FormClose: the worker is stopped first

protected:
    void showEvent(QShowEvent* event) override; // FormShow: the walk starts

private:
    void showProgress();

    TDownloadProgress progress_;
};
