#include "ProgramPlaces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <stdexcept>

namespace {

const QString kBaseName = QStringLiteral("vibrix");
// Put beside the programs by the installation: a copy installed for everyone keeps nothing of
// a user's in its own folder, whoever may write there.
const QString kInstalledMark = QStringLiteral(".vibrix4-installed");

bool canWriteFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadWrite); // neither truncated nor changed
}

} // namespace

bool CanWriteInFolder(const QString& dir) {
    if (!QFileInfo(dir).isDir())
        return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".vibrix-XXXXXX")));
    return probe.open();
}

TProgramPlaces TProgramPlaces::FromSystem() {
#ifdef _WIN32
    // Windows programs keep their settings in the roaming application data (%APPDATA%\Vibrix4),
    // and the lock in the user's own temporary folder rather than in the home folder.
    const QString appData = qEnvironmentVariable("APPDATA");
    const QString config = appData.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                               : QDir(appData).filePath(QStringLiteral("Vibrix4"));
    const QString runtime = QDir::tempPath();
#else
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#endif
    return {QCoreApplication::applicationDirPath(), config,
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), runtime};
}

bool TProgramPlaces::Portable() const {
    return !QFileInfo::exists(QDir(ProgramDir).filePath(kInstalledMark));
}

QString TProgramPlaces::SettingsFile() const {
    const QString beside = QDir(ProgramDir).filePath(kBaseName + QStringLiteral(".ini"));
    if (Portable() && (QFileInfo::exists(beside) ? canWriteFile(beside) : CanWriteInFolder(ProgramDir)))
        return beside;
    return QDir(ConfigDir).filePath(kBaseName + QStringLiteral(".ini"));
}

QString TProgramPlaces::CreateProjectDir() const {
    QString folder = QDir(ProgramDir).filePath(QStringLiteral("projects"));
    if (!(Portable() && QDir().mkpath(folder) && CanWriteInFolder(folder))) {
        folder = QDir(DocumentsDir).filePath(QStringLiteral("Vibrix4/projects"));
        if (!QDir().mkpath(folder))
            throw std::runtime_error(QStringLiteral("Не удалось создать папку проектов %1")
                                         .arg(QDir::toNativeSeparators(folder))
                                         .toStdString());
    }
    return QDir::toNativeSeparators(QDir(folder).absolutePath() + QLatin1Char('/'));
}

QString TProgramPlaces::HelpFile() const {
    return QDir(ProgramDir).filePath(QStringLiteral("vibrix.pdf"));
}

QString TProgramPlaces::LockFile() const {
    return QDir(RuntimeDir).filePath(QStringLiteral("vibrix4.lock"));
}
