#pragma once
// The print preview of a prepared report page: whole-page zoom, printing, and saving the page
// as PDF or as a JPEG picture.

#include "ReportPage.h"

class QWidget;
class UserDialogs;

// Opens the preview modally through `dialogs` and returns when it closes. Save failures are
// shown in an error box; the preview stays open.
void ShowReportPreview(UserDialogs& dialogs, QWidget* parent, const TReportPage& page);
