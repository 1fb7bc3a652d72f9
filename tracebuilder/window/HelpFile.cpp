#include "HelpFile.h"

#include <QDir>
#include <QFileInfo>

const QString kHelpFileName = QStringLiteral("Help.pdf");

QStringList helpFileCandidates(const QString& programFolder) {
    const QDir program(programFolder);
    return {program.filePath(kHelpFileName),
            QDir::cleanPath(program.filePath(QStringLiteral("../share/doc/vibrix4/") + kHelpFileName))};
}

QString findHelpFile(const QString& programFolder) {
    for (const QString& path : helpFileCandidates(programFolder))
        if (QFileInfo(path).isFile())
            return path;
    return {};
}
