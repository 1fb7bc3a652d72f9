#pragma once
// The main window's commands on the record shown: the report, both exports, the time-frequency
// window, the colour dialog and the view window.

#include "ReportPreview.h"

#include <QString>

class TMainForm;

class TRecordCommands {
public:
    explicit TRecordCommands(TMainForm& window) : w_(window) {}

    void PrintReportActionExecute();
    void SignalExportActionExecute();
    void SpectrExportActionExecute();
    void FTProcessingActionExecute();
    void ColorsActionExecute();
    void ViewWindowActionExecute(bool on);

    // The report preview of the record shown: its caption, the file name proposed from the record
    // ending in `what`, and the export folder.
    TReportPreviewOptions ReportPreviewOptions(const QString& title, const QString& what);

private:
    TMainForm& w_;
};
