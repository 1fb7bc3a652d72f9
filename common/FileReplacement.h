#pragma once
// Making room for a file the user chose to replace.

#include <QFile>
#include <QFileInfo>
#include <QString>

// True when nothing is left at `fileName`: there was nothing, or the old file was deleted.
// A file without its owner's write permission counts as one that cannot be deleted, whoever
// runs the program: deleting needs only the folder's write right, and a file its owner made
// read-only must stay as it is.
inline bool RemoveForReplacement(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists() && !info.isSymLink())
        return true;
    return (info.permissions() & QFile::WriteOwner) && QFile::remove(fileName);
}
