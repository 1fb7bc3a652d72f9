#include "RecordQuestion.h"

#include "RecordModel.h"

QString DeleteRecordQuestion(const vxds::DataTable& table) {
    const QString question = QStringLiteral("Удалить запись?");
    if (!table.active() || table.isEmpty())
        return question;
    return question +
           QStringLiteral("\nПоле %1, свая %2, %3")
               .arg(vxds::asInt(table.value(QStringLiteral("SiteNumber"))))
               .arg(vxds::asInt(table.value(QStringLiteral("PileNumber"))))
               .arg(TRecordModel::DateTimeText(vxds::asDouble(table.value(QStringLiteral("DateTime")))));
}
