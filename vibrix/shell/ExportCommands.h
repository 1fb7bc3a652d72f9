#pragma once
// The two export commands of the main window: the save dialog, the file through the CSV
// writer, and the box that tells how it went.

class QString;
class QWidget;
class UserDialogs;
struct TMeasureResult;
struct TSpectra;

class TExportCommands {
public:
    TExportCommands(UserDialogs& dialogs, QWidget* parent) : FDialogs(dialogs), FParent(parent) {}

    // The record's three channels against time with both spectra beside them.
    void SignalExportActionExecute(const TMeasureResult& record, const TSpectra& spectra,
                                   const QString& projectFolder);
    // Both spectra against frequency.
    void SpectrExportActionExecute(const TSpectra& spectra, const QString& projectFolder);

private:
    template <typename MakeText> void Export(const QString& projectFolder, const MakeText& makeText);

    UserDialogs& FDialogs;
    QWidget* FParent;
};
