#include "RecordFileName.h"

#include "DownloadUnit.h"
#include "MeasureResult.h"

#include <QDateTime>

QString RecordFileName(const TMeasureResult& record, const QString& what) {
    return QStringLiteral("П%1_С%2_%3_%4")
        .arg(record.SiteNumber)
        .arg(record.PileNumber)
        .arg(fromDateTimeValue(record.DateTime).toString(QStringLiteral("yyyy-MM-dd_HHmmss")), what);
}
