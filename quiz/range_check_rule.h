#pragma once

#include "core/choices.h"

// The rule behind the range check: under subtraction a first range lying
// wholly below the second one is refused.
namespace quiz {

// p1, p2: positions of the first and second range lists (-1: no selection).
bool rangesConflict(int p1, int p2, Operation operation);

} // namespace quiz
