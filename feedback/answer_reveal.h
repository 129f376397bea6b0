#pragma once

class Window;

// "答案": unticks automatic next question, writes the result into the answer box
// (the check, nested, shows the right-answer picture), fills the result row
// and, for a subtraction, explains the counting. With no question, or on any
// failure, says there is nothing to calculate and empties the answer box.
// Never throws.
void cmdAnswer_Click(Window &w);
