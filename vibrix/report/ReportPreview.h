#pragma once
// The print preview of a prepared report page: whole-page zoom, printing, saving the page as PDF
// or as a JPEG picture, and closing.

#include "ReportPage.h"

#include <functional>

class QWidget;
class UserDialogs;

struct TReportPreviewOptions {
    QString Title;    // the preview window's caption
    QString FileName; // proposed for a saved page, without the extension; empty for none
    QString Folder;   // where the save dialogs start
    std::function<void(const QString& folder)> OnSaved; // the folder a page was saved into
};

// Opens the preview modally through `dialogs` and returns when it closes. Save failures are
// shown in an error box; the preview stays open.
void ShowReportPreview(UserDialogs& dialogs, QWidget* parent, const TReportPage& page,
                       const TReportPreviewOptions& options = {});
