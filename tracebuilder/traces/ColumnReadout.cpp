#include "ColumnReadout.h"

#include <QLocale>

#include <cmath>

#include "FileDateText.h"
#include "TrcColumnsCnf.h"

QString ColumnReadout(const tTrcColumnsCnf& conf, QPoint at) {
    const int index = conf.ColumnAt(at.x());
    if (index < 0)
        return {};
    QStringList parts;
    if (const double depth = conf.DepthAt(at.y()); !std::isnan(depth))
        parts << QStringLiteral("Глубина: %1 м").arg(QLocale().toString(depth, 'f', 1));
    const tTrcColumn& c = conf.columns[std::size_t(index)];
    parts << QStringLiteral("Столбец %1: поле %2, свая %3, канал %4")
                 .arg(index + 1)
                 .arg(c.origin.siteNumber)
                 .arg(c.origin.pileNumber)
                 .arg(c.channel + 1);
    return parts.join(QStringLiteral("    "));
}

QString ColumnTooltip(const tTrcColumnsCnf& conf, QPoint at) {
    const int index = conf.ColumnAt(at.x());
    if (index < 0)
        return {};
    const tTrcColumn& c = conf.columns[std::size_t(index)];
    FileDateText date;
    return QStringLiteral("Файл: %1\nПоле: %2\nСвая: %3\nКанал: %4\nДата: %5")
        .arg(c.origin.fileName)
        .arg(c.origin.siteNumber)
        .arg(c.origin.pileNumber)
        .arg(c.channel + 1)
        .arg(date(c.origin.lastWriteMsecs));
}
