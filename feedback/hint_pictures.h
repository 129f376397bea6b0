#pragma once

#include "core/choices.h"

class Window;

// The picture hints: one picture per unit of each number, all of one drawing
// the same picture of the chosen set. Drawn by question generation (a new
// question) and by cboPic_Click (a change of kind, for the question on
// display). The answer reveal fills the result row itself.
namespace feedback {

enum class HintDrawing {
    NewQuestion, // picture 0..66; the result row emptied
    KindChange,  // picture 1..41; the result row filled from a numeric answer box
};

// Draws the rows for a picture set (never HintKind::None) and the counts a
// and b; a picture that cannot be read throws RuntimeFailure at the slot that
// needed it, leaving the slots before it filled. Counts beyond a row's slots
// fill the row.
void FillHintPictures(Window &w, HintKind kind, int a, int b, HintDrawing drawing);

} // namespace feedback

// The list "图案提示": shows or hides the hint frame and redraws the question on
// display. A drawing that cannot be completed stops quietly.
void cboPic_Click(Window &w);

// Shows the picture named in lblpic enlarged in Pic1. Called by the presses
// of the hint slots; does nothing while lblpic is empty or the picture cannot
// be read.
void ShowBigPic(Window &w);

// Pressing any slot, empty ones too, shows the enlarged picture; releasing
// hides it. The index is that of the slot within its row.
void img1_MouseDown(Window &w, int index);
void img2_MouseDown(Window &w, int index);
void img3_MouseDown(Window &w, int index);
void img1_MouseUp(Window &w, int index);
void img2_MouseUp(Window &w, int index);
void img3_MouseUp(Window &w, int index);
