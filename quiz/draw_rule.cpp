#include "draw_rule.h"

#include "core/runtime_failure.h"

#include <cmath>
#include <limits>

namespace quiz {

std::int32_t drawBetween(std::int32_t low, std::int32_t high, double r)
{
    const double value = double(low) + std::floor(r * (double(high) - double(low)) + 0.5);
    if (value > std::numeric_limits<std::int32_t>::max()
        || value < std::numeric_limits<std::int32_t>::min())
        throw RuntimeFailure("drawn number out of range");
    return static_cast<std::int32_t>(value);
}

Operands correctForSubtraction(Operands drawn, OperandRange firstRange,
                               OperandRange secondRange, const NextRandom &next)
{
    auto [first, second] = drawn;
    if (first >= second)
        return drawn;
    const std::int32_t lo2 = secondRange.lowest;
    const std::int32_t hi1 = firstRange.highest;
    if (first >= lo2) {
        second = drawBetween(lo2, first, next());
    } else if (hi1 == second) {
        first = second;
    } else if (hi1 > second) {
        first = drawBetween(second, hi1, next());
    } else {
        // Reached only when hi1 < lo2, which the range check keeps from
        // being in force under subtraction.
        first = drawBetween(lo2, hi1, next());
        if (first < second)
            second = drawBetween(lo2, first, next());
    }
    return {first, second};
}

Operands drawOperands(OperandRange firstRange, OperandRange secondRange, Operation operation,
                      const NextRandom &next)
{
    Operands drawn;
    drawn.first = drawBetween(firstRange.lowest, firstRange.highest, next());
    drawn.second = drawBetween(secondRange.lowest, secondRange.highest, next());
    if (operation != Operation::Subtraction)
        return drawn;
    return correctForSubtraction(drawn, firstRange, secondRange, next);
}

int hintNumberForQuestion(double r)
{
    return static_cast<int>(std::floor(r * 66 + 0.5));
}

int hintNumberForKindChange(double r)
{
    return static_cast<int>(std::floor(r * 40 + 0.5)) + 1;
}

} // namespace quiz
