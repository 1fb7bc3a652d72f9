#include "Startup.h"

#include "MainUnit.h"
#include "UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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

bool TSingleInstance::Acquire() {
    QDir().mkpath(QFileInfo(lock_.fileName()).absolutePath());
    return lock_.tryLock(10);
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
