#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// The numeric-text test and the text-to-integer conversion used wherever a
// text box is read as a number.
//
// Grammar: optional blanks, an optional sign, digits with at most one decimal
// point and at least one digit, optional blanks. Blanks are space, tab and the
// ideographic space U+3000. Full-width digits, signs and point (the forms a
// Chinese input method types) count exactly as their ASCII forms. Nothing else
// is numeric: no exponents, thousands separators, currency signs or hex.
namespace numeric {

bool isBlank(QChar c);

// The text passes the test.
bool isNumericText(QStringView text);

// The text without blanks at either end.
QStringView trimBlanks(QStringView text);

// The integer nearest to a numeric text, a tie going to the even neighbour.
// Throws RuntimeFailure when the text is not numeric or the value lies outside
// the 32-bit signed range.
std::int32_t toInteger(QStringView text);

// Plain decimal: "-" before a negative value, no blanks, no leading zeros.
QString toText(std::int32_t value);

} // namespace numeric
