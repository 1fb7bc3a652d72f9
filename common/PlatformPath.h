#pragma once
// File names between Qt and the system: a QString path as the std::filesystem::path the platform
// layer takes, and back, without a detour through the local 8-bit code page that would lose
// Cyrillic names on Windows.

#include <QFile>
#include <QString>

#include <filesystem>

namespace platform {

inline std::filesystem::path FsPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

inline QString QtPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

} // namespace platform
