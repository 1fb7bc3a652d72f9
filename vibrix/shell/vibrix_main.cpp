// vibrix: projects of pile integrity measurements, their signals and spectra.
#include "ProgramIcon.h"
#include "Startup.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QLibraryInfo>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The title of the window and of every message box; set as the name so that the window
    // system adds nothing of its own to the caption.
    QApplication::setApplicationName(QStringLiteral("Vibrix4"));
    QApplication::setWindowIcon(programIcon(QStringLiteral("ru.vibrix4.Vibrix")));
    LoadQtTranslation(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QtUserDialogs dialogs;
    return RunVibrix(dialogs, TProgramPlaces::FromSystem(), QApplication::arguments().mid(1));
}
