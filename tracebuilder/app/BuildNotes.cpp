#include "BuildNotes.h"

#include <QStringList>

#include "NumberText.h"
#include "TimeAxisCheck.h"

namespace {

QString ChannelName(const tTrc__Data& channel) {
    return QStringLiteral("%1, канал %2").arg(channel.origin.fileName).arg(channel.channel + 1);
}

} // namespace

QString BuildNotes(const tLeftOutList& leftOut, const tTrc__DataList& built, const tAppInt& app) {
    QStringList lines;
    if (!leftOut.empty()) {
        lines << QStringLiteral("Трассы построены без файлов, которые не удалось прочитать (%1):")
                     .arg(leftOut.size());
        for (const tLeftOut& f : leftOut)
            lines << f.fileName + QStringLiteral(" — ") + f.reason;
    }
    QStringList broken, withoutVelocity;
    for (const ptTrc__Data& channel : built) {
        if (const QString fault = TimeAxisFault(*channel); !fault.isEmpty())
            broken << ChannelName(*channel) + QStringLiteral(" — ") + fault;
        if (app.velocityFromFiles && !tAppInt::FileVelocityUsable(channel->waveVelocity))
            withoutVelocity << ChannelName(*channel);
    }
    if (!broken.isEmpty())
        lines << QStringLiteral(
                     "Неверные отметки времени, столбцы этих каналов пусты или не на своих глубинах (%1):")
                     .arg(broken.size())
              << broken;
    if (!withoutVelocity.isEmpty())
        lines << QStringLiteral("В файлах нет скорости волны, глубины по скорости %1 м/с (%2):")
                     .arg(generalFloatText(app.velocity))
                     .arg(withoutVelocity.size())
              << withoutVelocity;
    return lines.join(QLatin1Char('\n'));
}
