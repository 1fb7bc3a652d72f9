// Extraction of the checked channels into one text file each.

#include <QDir>
#include <QFile>
#include <QSet>


#include "FailureText.h"
#include "PlatformFiles.h"
#include "NumberText.h"
#include "tTrcFiles.h"

namespace {

// Two channels whose names agree on the platform's file system would overwrite each other.
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseSensitive;
#endif

// B + "_П_" + site + "_C_" + pile + "_К_" + channel, where B is the file name up to and including
// its last underscore; empty for a file name without one.
QString textFileStem(const tTrc__Data& channel) {
    const tTrc__File_identifier& id = *channel.source;
    const qsizetype underscore = id.fileName.lastIndexOf(QLatin1Char('_'));
    if (underscore < 0)
        return {};
    return id.fileName.left(underscore + 1) + QStringLiteral("_П_") + QString::number(id.siteNumber) +
           QStringLiteral("_C_") + QString::number(id.pileNumber) + QStringLiteral("_К_") +
           QString::number(channel.channel + 1);
}

// The stem's file name, numbered " (2)", " (3)", ... when an earlier channel of this extraction took it.
QString uniqueTextFileName(const QString& stem, QSet<QString>& taken) {
    const auto key = [](const QString& name) {
        return kNameCase == Qt::CaseSensitive ? name : name.toLower();
    };
    QString name = stem + QStringLiteral(".txt");
    for (int n = 2; taken.contains(key(name)); ++n)
        name = stem + QStringLiteral(" (%1).txt").arg(n);
    taken.insert(key(name));
    return name;
}

QString joinPath(const QString& folder, const QString& name) {
    const QString native = QDir::toNativeSeparators(folder);
    if (native.isEmpty() || native.endsWith(QDir::separator()))
        return native + name;
    return native + QDir::separator() + name;
}

} // namespace

tTrcFiles::Extraction tTrcFiles::Extract(const QString& folder) {
    const tTrc__DataList channels = CheckedCopies();
    QSet<QString> taken;
    Extraction done;
    for (const ptTrc__Data& channel : channels) {
        const QString stem = textFileStem(*channel);
        if (stem.isEmpty()) {
            ++done.skipped;
            continue;
        }
        const QString name = uniqueTextFileName(stem, taken);
        WriteTextFile(joinPath(folder, name), *channel);
        done.written << name;
    }
    return done;
}

void tTrcFiles::WriteTextFile(const QString& path, const tTrc__Data& channel) {
    QByteArray text;
    text.reserve(qsizetype(channel.points.count()) * 24);
    for (const auto& point : channel.points) {
        text += generalFloatText(point[1]).toUtf8();
        text += ' ';
        text += generalFloatText(point[0]).toUtf8();
        text += "\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !file.flush()) {
        const int systemError = platform::LastSystemError();
        throw tFileError(QStringLiteral("Не удалось записать файл «%1»: %2")
                             .arg(path, FailureText(FailureOf(file, systemError))));
    }
}
