#pragma once

#include "core/choices.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// What the answer box's text means and how it is judged. Pure: the answer
// check reads the controls and hands their texts in.
namespace feedback {

struct TypedAnswer {
    enum class Kind {
        Nothing,    // "" or the placeholder "?": nothing to judge, picture unchanged
        NotNumeric, // any other non-numeric text: the wrong-answer picture
        Rewrite,    // numeric but longer than two characters once trimmed
        Number,     // numeric, at most two characters once trimmed
    };
    Kind kind;
    QString rewrite;         // Rewrite: the last two characters to put in the box
    std::int32_t number = 0; // Number: the typed number
};

inline constexpr QStringView placeholder = u"?";

// Throws RuntimeFailure only for a Number that leaves the 32-bit range (a
// two-character text never does).
TypedAnswer readTypedAnswer(QStringView text);

// first + second or first - second.
// Throws RuntimeFailure when the result leaves the 32-bit range.
std::int32_t expectedResult(std::int32_t first, std::int32_t second, Operation operation);

enum class Verdict {
    Right,
    StillTyping, // the typed digits occur in the result's text: no picture yet
    Wrong,
};

Verdict judge(std::int32_t typed, std::int32_t expected);

// The counting explanation shown after a subtraction is revealed: count b
// pictures away, then start counting at picture b + 1.
QString countingExplanation(std::int32_t b);

} // namespace feedback
