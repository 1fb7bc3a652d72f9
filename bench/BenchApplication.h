#pragma once
// Widgets, fonts and painting need an application: one for the whole benchmark program, on
// the offscreen platform unless another is asked for.

#include <QApplication>

inline QApplication& BenchApplication() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}
