#pragma once
// A file's last-write time as the catalogue lists it: the locale's short date and long time
// (without a zone name), the time left out at midnight. Listing a big folder converts thousands
// of times, so the local offset is looked up once per hour and the date text once per day.

#include <cstdint>
#include <string>
#include <unordered_map>

#include <QLocale>
#include <QString>

#include "TimeFormat.h"

class FileDateText {
public:
    FileDateText();
    // The text stays valid until the next call.
    QStringView operator()(std::int64_t msecsSinceEpoch);

private:
    int localOffsetSecs(std::int64_t msecsSinceEpoch);

    QLocale locale_; // the user's formats
    // Renders with the same language and country; the system locale object answers every call
    // through the platform and is many times slower.
    QLocale render_;
    QString dateFormat_;
    TimeFormat timeFormat_;
    std::unordered_map<std::int64_t, int> offsetByHour_;
    std::unordered_map<std::int64_t, QString> dateByDay_;
    std::u16string text_; // reused for every file
};
