#pragma once
// The start of vibrix: Qt's Russian texts, the single-instance rule and the main window.

#include "ProgramPlaces.h"

#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <QStringList>

class QCoreApplication;
class TMainForm;
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

// Projects a second start hands to the running vibrix: one small file each beside the lock,
// taken in the order written. Plain files, so that it works alike wherever the lock does.
class TOpenRequests : public QObject {
    Q_OBJECT
public:
    // Watches the lock's folder; requests left by an earlier run are dropped.
    explicit TOpenRequests(const QString& lockFile, QObject* parent = nullptr);
    // Hands `project` to the program holding the lock; false when it cannot be written.
    static bool Send(const QString& lockFile, const QString& project);
    // Every request waiting, removed and announced in turn.
    void Take();

signals:
    void requested(const QString& project);

private:
    QStringList waiting() const;

    QString lockFile_;
    QFileSystemWatcher watcher_;
};

// Each project handed over is opened in `window`.
void OpenHandedOverIn(TOpenRequests& requests, TMainForm& window);

// A second start with a project hands it to the running program and ends; without one it is
// refused with a message. Otherwise shows the main window, opening the
// project named by the first argument (instead of the last one), and runs the event loop.
int RunVibrix(UserDialogs& dialogs, const TProgramPlaces& places, const QStringList& arguments);
