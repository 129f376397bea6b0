#pragma once

// What must hold for any text put through the numeric-text test, the
// conversion and the answer verdict: shared by the fuzzer and the replay of
// its corpus in the normal test run. Each check returns the broken rules in
// words; an empty list means the text was handled soundly.

#include "core/numeric_text.h"
#include "core/runtime_failure.h"
#include "feedback/answer_rules.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace invariants {

// The texts a run of bytes stands for: read as UTF-8, and as UTF-16 in the
// machine's byte order (unpaired surrogates included).
inline QList<QString> textsFromBytes(const QByteArray &bytes)
{
    std::u16string units(std::size_t(bytes.size()) / 2, u'\0');
    if (!units.empty())
        std::memcpy(units.data(), bytes.constData(), units.size() * 2);
    return {QString::fromUtf8(bytes), QString::fromUtf16(units.data(), qsizetype(units.size()))};
}

struct Plain {
    bool inRange;
    std::int64_t value;
};

// An independent reading of plain decimal texts: blanks around, a sign, digits
// (ASCII or full-width), at most one point with at most six digits after it.
// Scales by a million and rounds by integer division, where the conversion
// under test inspects digits. nullopt for any other text.
inline std::optional<Plain> plainDecimal(QStringView text)
{
    QString folded;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19)
            folded += QChar(char16_t(u'0' + (u - 0xFF10)));
        else if (u == 0xFF0B || u == 0xFF0D || u == 0xFF0E)
            folded += QChar(char16_t(u - 0xFF00 + 0x20));
        else if (u == 0x3000 || u == u'\t')
            folded += u' ';
        else
            folded += c;
    }
    static const QRegularExpression shape(
        QStringLiteral("^ *([+-]?)([0-9]*)(?:\\.([0-9]{0,6}))? *\\z"));
    const QRegularExpressionMatch m = shape.match(folded);
    if (!m.hasMatch() || (m.capturedLength(2) == 0 && m.capturedLength(3) == 0))
        return std::nullopt;
    QString whole = m.captured(2);
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.size() > 11)
        return Plain{false, 0};
    const std::int64_t units = whole.isEmpty() ? 0 : whole.toLongLong();
    const QString fraction = m.captured(3).leftJustified(6, u'0');
    const std::int64_t millionths = units * 1000000 + fraction.toLongLong();
    std::int64_t rounded = millionths / 1000000;
    const std::int64_t rest = millionths % 1000000;
    if (rest > 500000 || (rest == 500000 && rounded % 2 != 0))
        ++rounded;
    const std::int64_t value = m.captured(1) == QStringLiteral("-") ? -rounded : rounded;
    return Plain{value >= INT32_MIN && value <= INT32_MAX, value};
}

inline QStringList numericText(const QString &text)
{
    QStringList broken;
    const QString shown = text.left(40);
    const bool numeric = numeric::isNumericText(text);
    const QStringView trimmed = numeric::trimBlanks(text);
    if (!trimmed.isEmpty()
        && (numeric::isBlank(trimmed.front()) || numeric::isBlank(trimmed.back())))
        broken << QStringLiteral("trimBlanks left a blank at an end of \"%1\"").arg(shown);
    if (numeric::isNumericText(trimmed) != numeric)
        broken << QStringLiteral("blanks around \"%1\" changed the numeric test").arg(shown);

    std::optional<std::int32_t> value;
    try {
        value = numeric::toInteger(text);
        if (!numeric)
            broken << QStringLiteral("toInteger converted the non-numeric \"%1\"").arg(shown);
    } catch (const RuntimeFailure &) {
    } catch (...) {
        broken << QStringLiteral("toInteger threw something else for \"%1\"").arg(shown);
    }
    if (const auto plain = plainDecimal(text)) {
        if (!numeric)
            broken << QStringLiteral("\"%1\" is a plain decimal but not numeric").arg(shown);
        else if (plain->inRange != value.has_value()
                 || (value && std::int64_t(*value) != plain->value))
            broken << QStringLiteral("\"%1\" converted to %2, expected %3")
                          .arg(shown, value ? QString::number(*value) : QStringLiteral("failure"),
                               plain->inRange ? QString::number(plain->value)
                                              : QStringLiteral("failure"));
    }
    if (value) {
        const QString back = numeric::toText(*value);
        static const QRegularExpression plainForm(QStringLiteral("^(0|-?[1-9][0-9]*)\\z"));
        if (!plainForm.match(back).hasMatch() || numeric::toInteger(back) != *value)
            broken << QStringLiteral("%1 does not come back from \"%2\"").arg(*value).arg(back);
    }

    try {
        const feedback::TypedAnswer typed = feedback::readTypedAnswer(text);
        using Kind = feedback::TypedAnswer::Kind;
        const bool nothing = text.isEmpty() || text == QStringLiteral("?");
        switch (typed.kind) {
        case Kind::Nothing:
            if (!nothing)
                broken << QStringLiteral("\"%1\" read as nothing typed").arg(shown);
            break;
        case Kind::NotNumeric:
            if (numeric || nothing)
                broken << QStringLiteral("\"%1\" read as not numeric").arg(shown);
            break;
        case Kind::Rewrite:
            if (!numeric || trimmed.size() <= 2 || typed.rewrite.size() != 2
                || !trimmed.endsWith(typed.rewrite) || !numeric::isNumericText(typed.rewrite)
                || feedback::readTypedAnswer(typed.rewrite).kind != Kind::Number)
                broken << QStringLiteral("\"%1\" rewritten to \"%2\"").arg(shown, typed.rewrite);
            break;
        case Kind::Number:
            if (!numeric || trimmed.size() > 2 || !value || typed.number != *value
                || typed.number < -9 || typed.number > 99)
                broken << QStringLiteral("\"%1\" read as the number %2").arg(shown).arg(typed.number);
            break;
        }
    } catch (const RuntimeFailure &) {
        broken << QStringLiteral("reading the answer \"%1\" failed").arg(shown);
    }
    return broken;
}

// The verdict on a typed number against the expected result, and the
// expected result of two operands.
inline QStringList verdict(std::int32_t typed, std::int32_t expected)
{
    using feedback::Verdict;
    const Verdict v = feedback::judge(typed, expected);
    const bool occurs = QString::number(expected).contains(QString::number(typed));
    const Verdict want = typed == expected ? Verdict::Right
                         : occurs          ? Verdict::StillTyping
                                           : Verdict::Wrong;
    if (v != want)
        return {QStringLiteral("typed %1 against %2 judged %3").arg(typed).arg(expected).arg(int(v))};
    return {};
}

inline QStringList result(std::int32_t first, std::int32_t second, Operation operation)
{
    const std::int64_t exact = operation == Operation::Addition ? std::int64_t(first) + second
                                                                : std::int64_t(first) - second;
    const bool fits = exact >= INT32_MIN && exact <= INT32_MAX;
    try {
        const std::int32_t r = feedback::expectedResult(first, second, operation);
        if (!fits || r != exact)
            return {QStringLiteral("%1 op %2 %3 gave %4").arg(first).arg(int(operation)).arg(second).arg(r)};
    } catch (const RuntimeFailure &) {
        if (fits)
            return {QStringLiteral("%1 op %2 %3 failed").arg(first).arg(int(operation)).arg(second)};
    }
    return {};
}

// Everything above for one run of bytes.
inline QStringList numericBytes(const QByteArray &bytes)
{
    QStringList broken;
    for (const QString &text : textsFromBytes(bytes))
        broken << numericText(text);
    if (bytes.size() >= 9) {
        std::int32_t a = 0;
        std::int32_t b = 0;
        std::memcpy(&a, bytes.constData(), 4);
        std::memcpy(&b, bytes.constData() + 4, 4);
        broken << verdict(a, b) << verdict(a % 100, b % 100) << result(a, b, (bytes[8] & 1) ? Operation::Subtraction : Operation::Addition);
    }
    return broken;
}

} // namespace invariants
