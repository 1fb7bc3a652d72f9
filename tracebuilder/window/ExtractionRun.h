#pragma once
// The extraction as the user runs it from the main window: the folder dialog, the progress of a
// long extraction with a button that stops it, and one message that says where the files went.

#include <QDialog>

class QProgressBar;
class QPushButton;
class QTimer;
class UserDialogs;
class tTextExtraction;
class tTrcFiles;

// "Извлечение в папку": a bar of the channels done and a cancel button; the extraction runs a
// channel at a time in the dialog's own event loop and closes the dialog when it ends.
class ExtractionProgress : public QDialog {
public:
    ExtractionProgress(tTextExtraction& run, QWidget* owner);

    QProgressBar* ProgressBar__Extraction;
    QPushButton* Button__Cancel_extraction;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Tick();

    tTextExtraction& run_;
    QTimer* timer_;
};

// From this many channels on the extraction shows its progress.
inline constexpr int kExtractionProgressFrom = 20;

// Asks for the folder and writes every checked channel of `catalogue` into it, showing the
// progress of a long extraction; ends with one message naming the folder and what was left out.
void RunExtraction(UserDialogs& dialogs, QWidget* owner, const tTrcFiles& catalogue);
