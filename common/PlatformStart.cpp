#include "PlatformStart.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace platform {

void PrepareWindowlessGui(Drawing drawing) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
#ifdef _WIN32
        qputenv("QT_QPA_PLATFORM", drawing == Drawing::Text ? "windows" : "minimal");
#else
        (void)drawing;
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    }
#ifndef _WIN32
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::tempPath() + QStringLiteral("/runtime-vibrix-cli-%1").arg(::getuid());
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
    }
#endif
}

void UseUtf8StandardStreams() {
#ifdef _WIN32
    std::fflush(stdout);
    std::fflush(stderr);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
#endif
}

} // namespace platform
