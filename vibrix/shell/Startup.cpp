#include "Startup.h"

#include "MainUnit.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTranslator>

bool LoadQtTranslation(QCoreApplication& app, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ru"), folder) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

TSingleInstance::TSingleInstance(const QString& lockFile) : lock_(lockFile) {
    lock_.setStaleLockTime(0); // only a lock whose program has ended is stale
}

namespace {
// The lock files this process holds. A lock file that names this process but is not among them
// was left by an earlier program that had the same process number: Wine hands a new process the
// number of the one it has just killed, and the lock would refuse every start after a crash.
QSet<QString>& HeldLocks() {
    static QSet<QString> held;
    return held;
}
} // namespace

TSingleInstance::~TSingleInstance() {
    if (lock_.isLocked())
        HeldLocks().remove(lock_.fileName());
}

bool TSingleInstance::Acquire() {
    QDir().mkpath(QFileInfo(lock_.fileName()).absolutePath());
    if (lock_.tryLock(10)) {
        HeldLocks().insert(lock_.fileName());
        return true;
    }
    qint64 pid = 0;
    QString host, app;
    if (lock_.error() != QLockFile::LockFailedError || HeldLocks().contains(lock_.fileName()) ||
        !lock_.getLockInfo(&pid, &host, &app) || pid != QCoreApplication::applicationPid())
        return false;
    if (!lock_.removeStaleLockFile() || !lock_.tryLock(10))
        return false;
    HeldLocks().insert(lock_.fileName());
    return true;
}

int RunVibrix(UserDialogs& dialogs, const TProgramPlaces& places, const QStringList& arguments) {
    TSingleInstance instance(places.LockFile());
    if (!instance.Acquire()) {
        dialogs.message(
            nullptr, QStringLiteral("Vibrix4"),
            QStringLiteral("Копия данной программы уже запущена.\rПовторный запуск программы не разрешен."),
            UserDialogs::Icon::Error);
        return 1;
    }
    TMainForm window(dialogs, places, arguments.value(0));
    window.show();
    return QApplication::exec();
}
