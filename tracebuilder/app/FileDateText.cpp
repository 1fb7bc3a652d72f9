#include "FileDateText.h"

#include <QDateTime>

namespace {

constexpr std::int64_t kHourMs = 3600 * 1000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

} // namespace

FileDateText::FileDateText()
    : render_(locale_.language(), locale_.script(), locale_.territory()),
      dateFormat_(locale_.dateFormat(QLocale::ShortFormat)),
      timeFormat_(render_, locale_.timeFormat(QLocale::LongFormat)) {}

// Offsets change on whole hours (daylight saving), so one look-up serves the whole hour.
int FileDateText::localOffsetSecs(std::int64_t msecsSinceEpoch) {
    const std::int64_t hour = floorDiv(msecsSinceEpoch, kHourMs);
    const auto found = offsetByHour_.find(hour);
    if (found != offsetByHour_.end())
        return found->second;
    const int offset = QDateTime::fromMSecsSinceEpoch(hour * kHourMs).offsetFromUtc();
    offsetByHour_.emplace(hour, offset);
    return offset;
}

QStringView FileDateText::operator()(std::int64_t msecsSinceEpoch) {
    constexpr std::int64_t kDayMs = 24 * kHourMs;
    constexpr qint64 kJulianDayOf1970 = 2440588;
    const std::int64_t local = msecsSinceEpoch + std::int64_t(localOffsetSecs(msecsSinceEpoch)) * 1000;
    const std::int64_t day = floorDiv(local, kDayMs);
    auto found = dateByDay_.find(day);
    if (found == dateByDay_.end())
        found = dateByDay_
                    .emplace(day, render_.toString(QDate::fromJulianDay(kJulianDayOf1970 + day), dateFormat_))
                    .first;
    // Whole seconds: a time of 00:00:00.5 is still midnight.
    const int seconds = int((local - day * kDayMs) / 1000);
    if (seconds == 0)
        return found->second;
    const QString& date = found->second;
    text_.assign(reinterpret_cast<const char16_t*>(date.utf16()), std::size_t(date.size()));
    text_ += u' ';
    timeFormat_.appendTo(text_, seconds);
    return QStringView(text_);
}
