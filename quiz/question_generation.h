#pragma once

class Window;

// Making a question ("出题"). Called by the button, by the test menu entry and
// by the answer check after a right answer with automatic next question.
// Writes "?" into the answer box (which runs the answer check, nested), the
// two numbers, and draws the hint pictures through FillHintPictures.
// Traps every failure with a message box; never throws.
void cmdTest_Click(Window &w);
