#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include <QDateTime>
#include <QLocale>

#include "FileDateText.h"
#include "TimeFormat.h"

namespace {

QString timeText(const TimeFormat& f, int h, int m, int s) {
    std::u16string out = u"[";
    f.appendTo(out, h * 3600 + m * 60 + s);
    return QString::fromStdU16String(out);
}

TEST(TimeFormat, FieldsMarkersAndLiterals) {
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(timeText(TimeFormat(en, "HH:mm:ss t"), 7, 5, 9), "[07:05:09");
    EXPECT_EQ(timeText(TimeFormat(en, "H:m:s"), 7, 5, 9), "[7:5:9");
    EXPECT_EQ(timeText(TimeFormat(en, "h:mm:ss AP"), 0, 30, 0), "[12:30:00 AM");
    EXPECT_EQ(timeText(TimeFormat(en, "h:mm:ss ap"), 13, 2, 3), "[1:02:03 pm");
    EXPECT_EQ(timeText(TimeFormat(en, "hh 'h' mm"), 23, 59, 0), "[11 h 59");
    EXPECT_EQ(timeText(TimeFormat(en, "HH''mm"), 9, 8, 0), "[09'08");
}

TEST(TimeFormat, AgreesWithTheLocaleFormatter) {
    for (const QLocale& loc :
         {QLocale(QLocale::Russian, QLocale::Russia), QLocale(QLocale::English, QLocale::UnitedStates),
          QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Korean, QLocale::SouthKorea)}) {
        QString format = loc.timeFormat(QLocale::LongFormat);
        const TimeFormat ours(loc, format);
        format.remove(QLatin1Char('t'));
        for (int s = 0; s < 86400; s += 3607) {
            const QString expected = "[" + loc.toString(QTime(0, 0).addSecs(s), format.trimmed());
            EXPECT_EQ(timeText(ours, s / 3600, s / 60 % 60, s % 60).toStdString(), expected.toStdString())
                << loc.name().toStdString();
        }
    }
}

// Every listed time equals Qt's own local conversion and formatting, across daylight-saving changes.
TEST(FileDateText, MatchesTheLocalTimeOfTheLocale) {
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    FileDateText text;
    const QLocale loc;
    const QString timeFormat = loc.timeFormat(QLocale::LongFormat).remove(QLatin1Char('t')).trimmed();
    const qint64 start = QDateTime(QDate(2025, 1, 1), QTime(0, 0)).toMSecsSinceEpoch();
    for (qint64 ms = start; ms < start + 2LL * 365 * 86400 * 1000; ms += 27437LL * 1000 + 123) {
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms);
        QString expected = loc.toString(local.date(), QLocale::ShortFormat);
        if (local.time().second() || local.time().minute() || local.time().hour())
            expected += " " + loc.toString(local.time(), timeFormat);
        ASSERT_EQ(text(ms).toString().toStdString(), expected.toStdString()) << ms;
    }
    const qint64 midnight = QDateTime(QDate(2025, 7, 14), QTime(0, 0, 0, 400)).toMSecsSinceEpoch();
    EXPECT_EQ(text(midnight).toString(), "14.07.2025");
    EXPECT_EQ(text(midnight + 1000).toString(), "14.07.2025 00:00:01");
    QLocale::setDefault(QLocale::c());
    if (oldTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldTz);
    tzset();
}

} // namespace
