#pragma once

class Window;

// Start-up, run once before the window is first shown: selects the default
// entry of the four lists (each running its list's handler, in this order)
// and sets the caption. A failure shows a message and ends start-up.
void Form_Load(Window &w);

// "退出软件(&T)": closes the window, which ends the program.
void exitit_Click(Window &w);
