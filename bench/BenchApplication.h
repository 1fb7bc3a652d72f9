#pragma once
// Widgets, fonts and painting need an application: one for the whole benchmark program, on
// the offscreen platform unless another is asked for. It is left to the system at exit: Qt's
// own globals made after it (the pointer device an entering mouse brings) are gone by then.

#include <QApplication>

inline QApplication& BenchApplication() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
