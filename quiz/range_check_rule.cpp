#include "range_check_rule.h"

#include "range_table.h"

namespace quiz {

bool rangesConflict(int p1, int p2, Operation operation)
{
    // These entries reach 20 (first) or start at 0 (second): no conflict is
    // possible, and a second list without a selection is passed over.
    if (p1 == positionNoLimit || p1 == positionZeroToTwenty)
        return false;
    if (p2 <= 0 || p2 == positionZeroToTwenty)
        return false;
    if (operation == Operation::Addition)
        return false;
    return rangeAt(p2).lowest > rangeAt(p1).highest;
}

} // namespace quiz
