#include "ProgramIcon.h"

#include <QFile>

QIcon programIcon(const QString& id) {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/program-icons/%1x%1/apps/%2.png").arg(size).arg(id);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon;
}
