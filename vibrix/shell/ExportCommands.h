#pragma once
// The two export commands of the main window: the save dialog, the file through the CSV
// writer, and the box that tells how it went.

#include <QString>

class QWidget;
class UserDialogs;
struct TMeasureResult;
struct TSpectra;

class TExportCommands {
public:
    TExportCommands(UserDialogs& dialogs, QWidget* parent) : FDialogs(dialogs), FParent(parent) {}

    // The save dialog starts in `folder` and proposes `fileName`. Each returns the folder of the
    // file written, empty when none was.

    // The record's three channels against time with both spectra beside them.
    QString SignalExportActionExecute(const TMeasureResult& record, const TSpectra& spectra,
                                      const QString& folder, const QString& fileName = {});
    // Both spectra against frequency.
    QString SpectrExportActionExecute(const TSpectra& spectra, const QString& folder,
                                      const QString& fileName = {});

private:
    template <typename MakeText>
    QString Export(const QString& folder, const QString& fileName, const MakeText& makeText);

    UserDialogs& FDialogs;
    QWidget* FParent;
};
