#pragma once
// The settings file: "[General]" with LastProject, ProjectPath and the folders last chosen for an
// import and an export, "[Graphics]" with the display flags (1 and 0), the channel colours
// (decimal 0x00BBGGRR) and the view options, "[Window]" with the main window's place and its
// pages' splitters. Read key by
// key, each with its default; a value that is no number takes the default.

#include "DisplayFlags.h"
#include "ViewState.h"

#include <QList>
#include <QRect>
#include <QString>

// The "Сваи" page as the engineer left it: its splitters and the list's column widths, each empty
// where the program chooses them.
struct TPilePlace {
    QList<int> Splitter; // the list, the curves, the verdict
    QList<int> Charts;   // the average, the profile, the mobility
    QList<int> Columns;
};

// Where the main window stood: its normal geometry (none: the first start), whether it was
// maximised, the splitter of the data page, the pile page, and the page it was closed on.
struct TWindowPlace {
    QRect Normal;
    bool Maximized = false;
    QList<int> DataSplitter;
    TPilePlace Pile;
    int Page = 1; // "Данные"
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
