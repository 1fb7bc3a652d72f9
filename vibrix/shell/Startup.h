#pragma once
// The start of vibrix: Qt's Russian texts, the single-instance rule and the main window.

#include "ProgramPlaces.h"

#include <QLockFile>
#include <QStringList>

class QCoreApplication;
class UserDialogs;

// Qt's own texts (standard buttons, dialogs) in Russian from `folder`; false, and nothing
// changed, when the translation is not there.
bool LoadQtTranslation(QCoreApplication& app, const QString& folder);

// The lock that only one running vibrix of a user holds, until it ends.
class TSingleInstance {
public:
    explicit TSingleInstance(const QString& lockFile);
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;
    bool Acquire(); // tried for 10 ms

private:
    QLockFile lock_;
};

// Refuses a second instance with a message; otherwise shows the main window, opening the
// project named by the first argument (instead of the last one), and runs the event loop.
int RunVibrix(UserDialogs& dialogs, const TProgramPlaces& places, const QStringList& arguments);
