#include "answer_rules.h"

#include "core/numeric_text.h"
#include "core/runtime_failure.h"

#include <limits>

namespace feedback {

TypedAnswer readTypedAnswer(QStringView text)
{
    if (!numeric::isNumericText(text)) {
        if (text.isEmpty() || text == placeholder)
            return {TypedAnswer::Kind::Nothing, {}};
        return {TypedAnswer::Kind::NotNumeric, {}};
    }
    const QStringView answer = numeric::trimBlanks(text);
    if (answer.size() > 2)
        return {TypedAnswer::Kind::Rewrite, answer.right(2).toString()};
    return {TypedAnswer::Kind::Number, {}, numeric::toInteger(answer)};
}

std::int32_t expectedResult(std::int32_t first, std::int32_t second, Operation operation)
{
    const std::int64_t result = operation == Operation::Addition ? std::int64_t(first) + second
                                               : std::int64_t(first) - second;
    if (result > std::numeric_limits<std::int32_t>::max()
        || result < std::numeric_limits<std::int32_t>::min())
        throw RuntimeFailure("result out of range");
    return static_cast<std::int32_t>(result);
}

Verdict judge(std::int32_t typed, std::int32_t expected)
{
    if (typed == expected)
        return Verdict::Right;
    if (numeric::toText(expected).contains(numeric::toText(typed)))
        return Verdict::StillTyping;
    return Verdict::Wrong;
}

QString countingExplanation(std::int32_t b)
{
    if (b == std::numeric_limits<std::int32_t>::max())
        throw RuntimeFailure("count out of range");
    return QStringLiteral("第一位的图案先数出") + numeric::toText(b)
        + QStringLiteral("个不要了，以第") + numeric::toText(b + 1)
        + QStringLiteral("个做为第1个，开始数第一位余下的图案数量，就可以得到结果了！");
}

} // namespace feedback
