// The trace builder: the folder given as the first argument (else the current folder) in the
// main window; a measurement file given instead opens its folder with that file's channel shown.

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

#include "ProgramIcon.h"
#include "TForm1.h"
#include "UserDialogs.h"
#include "tDDCES.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("ТРАССЫ---Vibrix4"));
    QApplication::setWindowIcon(programIcon(QStringLiteral("ru.vibrix4.TraceBuilder")));
    // Qt's own buttons and dialogs in Russian like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QtUserDialogs dialogs;
    try {
        tDDCES engine;
        const QStringList arguments = QApplication::arguments();
        TForm1::Places places{arguments.size() > 1 ? arguments[1] : QDir::currentPath(),
                              QApplication::applicationDirPath(),
                              driveEntries(mountedVolumes(), QDir::homePath(), systemUsesDriveLetters())};
        TForm1 window(engine, dialogs, places);
        window.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        dialogs.message(nullptr, QApplication::applicationDisplayName(), QString::fromUtf8(e.what()),
                        UserDialogs::Icon::Error);
    }
    return 1;
}
