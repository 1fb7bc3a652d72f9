#pragma once
// The formats a trace is saved in, offered by the save dialog with BMP first: pictures of the whole
// trace, or the printed pages as a PDF document.

#include <QString>

extern const QString kPictureFilters;
extern const QString kPdfSheetsFilter; // the one of kPictureFilters for the printed pages

struct PictureTarget {
    QString fileName;
    const char* format; // for QImage::save, or "PDF" for the pages
};

// The format follows the name's extension (.bmp, .png, .jpg, .jpeg, .pdf, any letter case); a name
// without one of these gets the chosen filter's format and its extension appended.
PictureTarget pictureTarget(const QString& fileName, const QString& filter);
