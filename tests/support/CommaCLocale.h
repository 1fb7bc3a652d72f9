#pragma once
// A C library locale whose decimal separator is a comma, built for the test into a private
// folder with localedef, as a Russian desktop gives it to a GUI application.

#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
#include <cstdlib>

class CommaCLocale {
public:
    // The folder to put into LOCPATH, or empty when localedef could not build the locale.
    static QString Folder() {
        static QTemporaryDir dir;
        static const bool built = [] {
            QProcess p;
            p.start("localedef", {"-i", "ru_RU", "-f", "UTF-8", dir.filePath("ru_RU.UTF-8")});
            return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        }();
        return built ? dir.path() : QString();
    }

    // Switches this process's numeric C locale to the comma one; false when it cannot be had.
    static bool Enter() {
        const QString folder = Folder();
        if (folder.isEmpty())
            return false;
        qputenv("LOCPATH", folder.toLocal8Bit());
        return std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
    }

    static void Leave() { std::setlocale(LC_NUMERIC, "C"); }
};
