#include "SubfolderFiles.h"

#include <QDir>

namespace {

const QStringList kMeasurementFiles{QStringLiteral("*.ssm")};

} // namespace

int MeasurementFilesInSubfolders(const QString& folder) {
    const QDir top(folder);
    qsizetype count = 0;
    for (const QString& name : top.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        count += QDir(top.filePath(name))
                     .entryList(kMeasurementFiles, QDir::Files | QDir::Hidden | QDir::System)
                     .size();
    return int(count);
}

QString NoMeasurementFilesText(int inSubfolders) {
    return QStringLiteral("В папке нет файлов *.ssm; в подпапках: %1").arg(inSubfolders);
}
