#pragma once
// The settings file: "[General]" with LastProject, ProjectPath and the folders last chosen for an
// import and an export, "[Graphics]" with the display flags (1 and 0), the channel colours
// (decimal 0x00BBGGRR) and the view options, "[Window]" with the main window's place. Read key by
// key, each with its default; a value that is no number takes the default.

#include "DisplayFlags.h"
#include "ViewState.h"

#include <QList>
#include <QRect>
#include <QString>

// Where the main window stood: its normal geometry (none: the first start), whether it was
// maximised, and the splitter of the data page.
struct TWindowPlace {
    QRect Normal;
    bool Maximized = false;
    QList<int> DataSplitter;
};

struct TVibrixSettings {
    QString LastProject;
    QString ProjectPath;
    QString ImportPath; // the folder last chosen for "Добавить файлы"
    QString ExportPath; // the folder of the last export or saved report
    TDisplayFlags Flags;
    TViewOptions View;
    bool NextPileAfterClass = true; // a class typed on the "Сваи" page moves to the next pile
    TWindowPlace Window;
};

TVibrixSettings LoadSettings(const QString& iniFile);
// False when the file could not be written.
bool SaveSettings(const QString& iniFile, const TVibrixSettings& settings);
