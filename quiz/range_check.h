#pragma once

class Window;

// The range lists and the operation list. Each runs as the list's Click, on
// the user's pick and on every programmatic selection (Window::setListIndex).
//
// cbo1st_Click, cbo2nd_Click: the range check; a first range wholly below the
// second is refused under subtraction and the first list goes back to
// "不限定". Traps its own failures.
void cbo1st_Click(Window &w);
void cbo2nd_Click(Window &w);

// The operation change: the signs, emptying a question whose first number is
// smaller than its second, emptying the result row, then the range check so
// that conflicting ranges are never in force under subtraction.
void cboCode_Click(Window &w);
