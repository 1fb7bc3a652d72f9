#include "Startup.h"

#include "MainUnit.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

namespace {
// "vibrix.lock.open-<time>-<process>.request": the time first, so that the names sort in order.
QString requestPattern(const QString& lockFile) {
    return QFileInfo(lockFile).fileName() + QStringLiteral(".open-*.request");
}
} // namespace

TOpenRequests::TOpenRequests(const QString& lockFile, QObject* parent)
    : QObject(parent), lockFile_(lockFile) {
    const QDir folder = QFileInfo(lockFile_).absoluteDir();
    for (const QString& left : waiting())
        QFile::remove(folder.filePath(left));
    watcher_.addPath(folder.absolutePath());
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &TOpenRequests::Take);
}

QStringList TOpenRequests::waiting() const {
    return QFileInfo(lockFile_).absoluteDir().entryList({requestPattern(lockFile_)}, QDir::Files, QDir::Name);
}

bool TOpenRequests::Send(const QString& lockFile, const QString& project) {
    const QString name = requestPattern(lockFile).replace(
        QLatin1Char('*'), QStringLiteral("%1-%2")
                              .arg(QDateTime::currentMSecsSinceEpoch(), 16, 10, QLatin1Char('0'))
                              .arg(QCoreApplication::applicationPid()));
    QSaveFile file(QFileInfo(lockFile).absoluteDir().filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(project.toUtf8()) >= 0 && file.commit();
}

void TOpenRequests::Take() {
    const QDir folder = QFileInfo(lockFile_).absoluteDir();
    for (const QString& name : waiting()) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString project = QString::fromUtf8(file.readAll());
        file.close();
        if (!file.remove())
            continue; // taken again next time rather than twice
        if (!project.isEmpty())
            emit requested(project);
    }
}

void OpenHandedOverIn(TOpenRequests& requests, TMainForm& window) {
    QObject::connect(&requests, &TOpenRequests::requested, &window, &TMainForm::OpenHandedOver);
}

int RunVibrix(UserDialogs& dialogs, const TProgramPlaces& places, const QStringList& arguments) {
    TSingleInstance instance(places.LockFile());
    if (!instance.Acquire()) {
        const QString project = arguments.value(0);
        if (!project.isEmpty() &&
            TOpenRequests::Send(places.LockFile(), QFileInfo(project).absoluteFilePath()))
            return 0;
        dialogs.message(
            nullptr, QStringLiteral("Vibrix4"),
            QStringLiteral("Копия данной программы уже запущена.\rПовторный запуск программы не разрешен."),
            UserDialogs::Icon::Error);
        return 1;
    }
    TMainForm window(dialogs, places, arguments.value(0));
    TOpenRequests requests(places.LockFile());
    OpenHandedOverIn(requests, window);
    window.show();
    return QApplication::exec();
}
