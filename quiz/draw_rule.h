#pragma once

#include "core/choices.h"
#include "range_table.h"

#include <cstdint>
#include <functional>

// How a question's numbers and its hint picture are drawn from uniform random
// numbers r in [0, 1). Pure: the caller hands in the generator.
namespace quiz {

using NextRandom = std::function<double()>;

// L + floor(r * (H - L) + 0.5) in double precision. For L < H every value of
// L..H, the end values half as often as the inner ones; for H < L a value of
// H..L. Throws RuntimeFailure if the value leaves the 32-bit range.
std::int32_t drawBetween(std::int32_t low, std::int32_t high, double r);

struct Operands {
    std::int32_t first;
    std::int32_t second;
    friend bool operator==(const Operands &, const Operands &) = default;
};

// The two draws, in order, then under subtraction the correction that keeps
// first >= second. Uses two to four random numbers.
Operands drawOperands(OperandRange firstRange, OperandRange secondRange, Operation operation,
                      const NextRandom &next);

// The subtraction correction alone, for a pair already drawn.
Operands correctForSubtraction(Operands drawn, OperandRange firstRange,
                               OperandRange secondRange, const NextRandom &next);

// Hint picture numbers: 0..66 for a new question, 1..41 for a change of kind.
int hintNumberForQuestion(double r);
int hintNumberForKindChange(double r);

} // namespace quiz
