#pragma once
// A time-of-day format of the locale ("HH:mm:ss", "h:mm:ss AP", ...) parsed once, so that
// thousands of times are written without the locale's general formatter.

#include <string>
#include <vector>

#include <QLocale>
#include <QString>

class TimeFormat {
public:
    // Hours, minutes, seconds, AM/PM markers and literal text; a zone name ('t') is dropped.
    TimeFormat(const QLocale& locale, const QString& format);
    // Appends the time of day, given in seconds since midnight.
    void appendTo(std::u16string& out, int secondsOfDay) const;

private:
    enum class Field { Literal, Hour24, Hour12, Minute, Second, MarkerUpper, MarkerLower };
    struct Piece {
        Field field;
        int width = 1; // 2 pads with a zero
        QString literal;
    };

    std::vector<Piece> pieces_;
    QString amUpper_, pmUpper_, amLower_, pmLower_;
    qsizetype capacity_ = 0; // longest text the pieces can give
};
