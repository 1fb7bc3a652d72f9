#pragma once
// What a trace picture tells about the point under the pointer: a short read-out of the depth and
// the column for the line under the picture, and the whole origin of the column for its tooltip.

#include <QPoint>
#include <QString>

class tTrcColumnsCnf;

// "Глубина: 12,4 м    Столбец 35: поле 2, свая 15, канал 1", either half alone where only it
// applies; empty away from the columns.
QString ColumnReadout(const tTrcColumnsCnf& conf, QPoint at);
// The file, site, pile, channel and date of the column under `at`; empty away from the columns.
QString ColumnTooltip(const tTrcColumnsCnf& conf, QPoint at);
