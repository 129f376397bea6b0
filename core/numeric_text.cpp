#include "numeric_text.h"

#include "runtime_failure.h"

#include <limits>

namespace numeric {
namespace {

// Full-width forms fold onto ASCII; every other character stays as it is.
QChar fold(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF10 && u <= 0xFF19)
        return QChar(u'0' + (u - 0xFF10));
    switch (u) {
    case 0xFF0B: return QChar(u'+');
    case 0xFF0D: return QChar(u'-');
    case 0xFF0E: return QChar(u'.');
    default: return c;
    }
}

bool isDigit(QChar c) { return c >= QChar(u'0') && c <= QChar(u'9'); }

// The sign, the digits before and after the point of a numeric text, or
// false when the text does not follow the grammar.
struct Parts {
    bool negative = false;
    QString whole;
    QString fraction;
};

bool split(QStringView text, Parts &out)
{
    const QStringView core = trimBlanks(text);
    qsizetype i = 0;
    if (i < core.size()) {
        const QChar c = fold(core[i]);
        if (c == u'+' || c == u'-') {
            out.negative = c == u'-';
            ++i;
        }
    }
    bool point = false;
    for (; i < core.size(); ++i) {
        const QChar c = fold(core[i]);
        if (isDigit(c)) {
            (point ? out.fraction : out.whole).append(c);
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return !out.whole.isEmpty() || !out.fraction.isEmpty();
}

} // namespace

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c.unicode() == 0x3000;
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool isNumericText(QStringView text)
{
    Parts parts;
    return split(text, parts);
}

std::int32_t toInteger(QStringView text)
{
    Parts parts;
    if (!split(text, parts))
        throw RuntimeFailure("not a number");

    // Exact decimal arithmetic: the magnitude may be any length, so stop as
    // soon as it leaves the range instead of overflowing.
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (const QChar c : std::as_const(parts.whole)) {
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > limit)
            throw RuntimeFailure("number out of range");
    }

    // Round half to even on the magnitude; the rule is symmetric in sign.
    if (!parts.fraction.isEmpty()) {
        const int first = parts.fraction[0].unicode() - u'0';
        bool restNonZero = false;
        for (qsizetype i = 1; i < parts.fraction.size(); ++i)
            restNonZero = restNonZero || parts.fraction[i] != u'0';
        const bool up = first > 5 || (first == 5 && (restNonZero || magnitude % 2 == 1));
        if (up)
            ++magnitude;
    }

    const std::int64_t value = parts.negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()
        || value < std::numeric_limits<std::int32_t>::min())
        throw RuntimeFailure("number out of range");
    return static_cast<std::int32_t>(value);
}

QString toText(std::int32_t value)
{
    return QString::number(value);
}

} // namespace numeric
