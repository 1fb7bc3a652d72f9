#pragma once
// The run of a screenshot program, `<program> DEMO_FOLDER OUT_FOLDER NAME.png ...`: the real
// windows offscreen, in Russian with decimal commas, on copies in a private temporary folder
// that also stands in for the user's configuration and cache folders, so that the user's own
// settings are neither read nor written.

#include "ScreenshotDialogs.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QWidget;

struct ScreenshotPlace {
    QString work;       // the private folder, removed at the end
    QString demoSource; // DEMO_FOLDER, only ever read
};

// Picture name -> the scene that makes it. A scene throws, or returns a null image, when it
// cannot make its picture.
using ScreenshotScenes = std::map<QString, std::function<QImage()>>;

// Prepares the application and the private folder, has `makeScenes` set up the program's
// scenes, and writes every named picture into OUT_FOLDER. Returns 0 when all were written;
// 1, naming each one on the error output, when a name is unknown (then nothing is made) or a
// picture could not be made or written (its file is then removed); 2 for a bad command line.
int RunScreenshots(
    int argc, char** argv,
    const std::function<ScreenshotScenes(const ScreenshotPlace&, ScreenshotDialogs&)>& makeScenes);

// Copies the measurement files of `source` into the new folder `target` with their modification
// times, which are the measurements' dates. Throws std::runtime_error when it cannot.
void CopyFolder(const QString& source, const QString& target);

// Ends the scene under way: its picture is not made, for this reason.
[[noreturn]] void FailScene(const QString& reason);

// The control of that object name, or the scene fails.
template <class T> T* FindChild(QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        FailScene(QStringLiteral("no control %1").arg(QString::fromLatin1(name)));
    return found;
}

// The window shown and settled (layouts, posted redraws), then grabbed at its size.
QImage GrabShown(QWidget& window);
// Posted events and zero timers handled, as a user's event loop would before the next look.
void Settle();
// Events handled until `done` holds or `ms` have passed; false on the deadline.
bool WaitUntil(const std::function<bool()>& done, int ms);
