// Extraction of the checked channels into one text file each.

#include <QDir>
#include <QFile>
#include <QSet>

#include "FailureText.h"
#include "NumberText.h"
#include "PlatformFiles.h"
#include "TextExtraction.h"

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
    const tTrc__Origin& id = channel.origin;
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

tTextExtraction::tTextExtraction(tTrc__DataList channels, QString folderPath)
    : folder(std::move(folderPath)), channels_(std::move(channels)) {}

void tTextExtraction::Step() {
    if (Finished())
        return;
    tTrc__Data& channel = *channels_[next_++];
    const QString stem = textFileStem(channel);
    if (stem.isEmpty()) {
        ++result.skipped;
        return;
    }
    if (FileFailure why; !ReadChannelPoints(channel, why)) {
        if (result.unread.empty() || result.unread.back().fileName != channel.origin.fileName)
            result.unread.push_back({channel.origin.fileName, FailureText(why)});
        return;
    }
    const QString name = uniqueTextFileName(stem, taken_);
    try {
        tTrcFiles::WriteTextFile(joinPath(folder, name), channel);
    } catch (const tFileError& e) {
        failure = QString::fromUtf8(e.what());
        stopped_ = true;
        return;
    }
    channel.points.SetCount(0); // hundreds of channels are never held at once
    result.written << name;
}

bool tTextExtraction::Complete() const {
    return next_ >= channels_.size() && failure.isEmpty() && result.skipped == 0 && result.unread.empty();
}

QString tTextExtraction::Summary() const {
    QStringList lines{QStringLiteral("Извлечено файлов: %1 в папку %2")
                          .arg(result.written.size())
                          .arg(QDir::toNativeSeparators(folder))};
    if (result.skipped > 0)
        lines << QStringLiteral("Пропущено каналов: %1 — в именах их файлов нет знака «_».")
                     .arg(result.skipped);
    if (!result.unread.empty()) {
        lines << QStringLiteral("Не удалось прочитать файлы (%1):").arg(result.unread.size());
        for (const tLeftOut& f : result.unread)
            lines << f.fileName + QStringLiteral(" — ") + f.reason;
    }
    if (!failure.isEmpty())
        lines << failure
              << QStringLiteral("Извлечение остановлено: не записано каналов: %1.").arg(Total() - Done() + 1);
    else if (stopped_ && next_ < channels_.size())
        lines << QStringLiteral("Извлечение прервано: не записано каналов: %1.").arg(Total() - Done());
    return lines.join(QLatin1Char('\n'));
}

tTextExtraction tTrcFiles::PrepareExtraction(const QString& folder) const {
    return tTextExtraction(CheckedCopies(), folder);
}

tTrcFiles::Extraction tTrcFiles::Extract(const QString& folder) const {
    tTextExtraction run = PrepareExtraction(folder);
    while (!run.Finished())
        run.Step();
    if (!run.failure.isEmpty())
        throw tFileError(run.failure);
    return run.result;
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
                             .arg(QDir::toNativeSeparators(path), FailureText(FailureOf(file, systemError))));
    }
}
