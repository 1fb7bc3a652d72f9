#pragma once
// The picture formats a trace is saved in, offered by the save dialog with BMP first.

#include <QString>

extern const QString kPictureFilters;

struct PictureTarget {
    QString fileName;
    const char* format; // for QImage::save
};

// The format follows the name's extension (.bmp, .png, .jpg, .jpeg, any letter case); a name
// without one of these gets the chosen filter's format and its extension appended.
PictureTarget pictureTarget(const QString& fileName, const QString& filter);
