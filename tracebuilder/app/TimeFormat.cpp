#include "TimeFormat.h"

#include <algorithm>

namespace {

qsizetype runLength(const QString& s, qsizetype i) {
    qsizetype n = 1;
    while (i + n < s.size() && s[i + n] == s[i])
        ++n;
    return n;
}

// Hours, minutes and seconds have at most two digits.
char16_t* writeNumber(char16_t* out, int value, int width) {
    if (value >= 10 || width >= 2)
        *out++ = char16_t(u'0' + value / 10);
    *out++ = char16_t(u'0' + value % 10);
    return out;
}

char16_t* writeText(char16_t* out, QStringView text) {
    for (QChar c : text)
        *out++ = c.unicode();
    return out;
}

} // namespace

TimeFormat::TimeFormat(const QLocale& locale, const QString& format)
    : amUpper_(locale.amText().toUpper()), pmUpper_(locale.pmText().toUpper()),
      amLower_(locale.amText().toLower()), pmLower_(locale.pmText().toLower()) {
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype n = runLength(format, i);
        Piece piece{Field::Literal, 1, {}};
        if (c == u'H' || c == u'h' || c == u'm' || c == u's') {
            piece.field = c == u'H'   ? Field::Hour24
                          : c == u'h' ? Field::Hour12
                          : c == u'm' ? Field::Minute
                                      : Field::Second;
            piece.width = n >= 2 ? 2 : 1;
        } else if (c == u'A' || c == u'a') {
            piece.field = c == u'A' ? Field::MarkerUpper : Field::MarkerLower;
            n = i + 1 < format.size() && format[i + 1].toLower() == u'p' ? 2 : 1;
        } else if (c == u'\'') {
            const qsizetype close = format.indexOf(u'\'', i + 1);
            const qsizetype end = close < 0 ? format.size() : close;
            piece.literal = end == i + 1 ? QStringLiteral("'") : format.mid(i + 1, end - i - 1);
            n = end - i + 1;
        } else if (c == u't') {
            i += n;
            continue;
        } else {
            piece.literal = format.mid(i, n);
        }
        pieces_.push_back(std::move(piece));
        i += n;
    }
    while (!pieces_.empty() && pieces_.back().field == Field::Literal &&
           pieces_.back().literal.trimmed().isEmpty())
        pieces_.pop_back(); // the blank that stood before the zone name
    capacity_ = std::max(amUpper_.size(), pmUpper_.size()) * qsizetype(pieces_.size());
    for (const Piece& p : pieces_)
        capacity_ += p.literal.size() + 2;
}

void TimeFormat::appendTo(std::u16string& out, int secondsOfDay) const {
    const int hour = secondsOfDay / 3600;
    // Written straight into the reserved tail: this runs for every file of a listing.
    const std::size_t start = out.size();
    out.resize(start + std::size_t(capacity_));
    char16_t* end = out.data() + start;
    for (const Piece& p : pieces_) {
        switch (p.field) {
        case Field::Literal:
            end = writeText(end, p.literal);
            break;
        case Field::Hour24:
            end = writeNumber(end, hour, p.width);
            break;
        case Field::Hour12:
            end = writeNumber(end, hour % 12 == 0 ? 12 : hour % 12, p.width);
            break;
        case Field::Minute:
            end = writeNumber(end, secondsOfDay / 60 % 60, p.width);
            break;
        case Field::Second:
            end = writeNumber(end, secondsOfDay % 60, p.width);
            break;
        case Field::MarkerUpper:
            end = writeText(end, hour < 12 ? amUpper_ : pmUpper_);
            break;
        case Field::MarkerLower:
            end = writeText(end, hour < 12 ? amLower_ : pmLower_);
            break;
        }
    }
    out.resize(std::size_t(end - out.data()));
}
