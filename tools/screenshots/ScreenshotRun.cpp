#include "ScreenshotRun.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWidget>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>

namespace {

void complain(const QString& program, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(program), qPrintable(text));
}

// Everything Qt or a library would keep for the user goes into the private folder.
void redirectUserFolders(const QString& work) {
    for (const char* variable :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = QDir(work).filePath(QString::fromLatin1(variable).toLower());
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(variable, QFile::encodeName(folder));
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

bool writePng(const QImage& image, const QString& fileName, QString& error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}

// The scene's picture, or the reason there is none.
QImage makePicture(const std::function<QImage()>& scene, ScreenshotDialogs& dialogs, QString& error) {
    dialogs.messages.clear();
    QImage image;
    try {
        image = scene();
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
        return {};
    }
    if (!dialogs.messages.isEmpty())
        error = QStringLiteral("the program said: ") + dialogs.messages.join(QStringLiteral(" | "));
    else if (image.isNull())
        error = QStringLiteral("no picture");
    return error.isEmpty() ? image : QImage();
}

} // namespace

int RunScreenshots(
    int argc, char** argv,
    const std::function<ScreenshotScenes(const ScreenshotPlace&, ScreenshotDialogs&)>& makeScenes) {
    const QString program = argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).fileName() : QString();
    if (argc < 4) {
        complain(program, QStringLiteral("usage: %1 DEMO_FOLDER OUT_FOLDER NAME.png ...").arg(program));
        return 2;
    }
    QTemporaryDir work(QDir::temp().filePath(QStringLiteral("vibrix4-XXXXXX")));
    if (!work.isValid()) {
        complain(program, QStringLiteral("no temporary folder: %1").arg(work.errorString()));
        return 2;
    }
    redirectUserFolders(work.path());

    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    const QStringList arguments = QApplication::arguments();
    const QString outFolder = arguments[2];
    const QStringList names = arguments.mid(3);

    ScreenshotDialogs dialogs;
    ScreenshotScenes scenes;
    try {
        scenes = makeScenes({work.path(), arguments[1]}, dialogs);
    } catch (const std::exception& e) {
        complain(program, QString::fromUtf8(e.what()));
        return 1;
    }
    bool known = true;
    for (const QString& name : names)
        if (!scenes.count(name)) {
            complain(program, QStringLiteral("unknown picture %1").arg(name));
            known = false;
        }
    if (!known)
        return 1;
    if (!QDir().mkpath(outFolder)) {
        complain(program, QStringLiteral("cannot create %1").arg(outFolder));
        return 1;
    }

    int failures = 0;
    for (const QString& name : names) {
        const QString file = QDir(outFolder).filePath(name);
        QFile::remove(file); // no picture of an earlier run may pass for this one
        QString error;
        const QImage image = makePicture(scenes.at(name), dialogs, error);
        if (image.isNull() || !writePng(image, file, error)) {
            complain(program, QStringLiteral("could not make %1: %2").arg(name, error));
            ++failures;
        }
    }
    scenes.clear(); // the windows go while the application is still there
    return failures == 0 ? 0 : 1;
}

void CopyFolder(const QString& source, const QString& target) {
    namespace fs = std::filesystem;
    const fs::path from = QFile::encodeName(source).toStdString();
    const fs::path to = QFile::encodeName(target).toStdString();
    std::error_code ec;
    fs::create_directories(to, ec);
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file())
            continue;
        const fs::path copy = to / it->path().filename();
        if (fs::copy_file(it->path(), copy, fs::copy_options::overwrite_existing, ec))
            fs::last_write_time(copy, fs::last_write_time(it->path()), ec);
        if (ec)
            break;
    }
    if (ec)
        throw std::runtime_error(QStringLiteral("cannot copy %1 into %2: %3")
                                     .arg(source, target, QString::fromStdString(ec.message()))
                                     .toStdString());
}

void FailScene(const QString& reason) {
    throw std::runtime_error(reason.toStdString());
}

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QImage GrabShown(QWidget& window) {
    window.show();
    Settle();
    return window.grab().toImage();
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
