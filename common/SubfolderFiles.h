#pragma once
// Measurement files one level down: a folder chosen one level too high holds none itself, and
// both programs say where they are instead of showing an empty list.

#include <QString>

// The *.ssm files (any letter case) in the immediate subfolders of `folder`; deeper folders are
// not walked, so that choosing a drive's root stays quick.
int MeasurementFilesInSubfolders(const QString& folder);

// "В папке нет файлов *.ssm; в подпапках: N".
QString NoMeasurementFilesText(int inSubfolders);
