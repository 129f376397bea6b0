#pragma once

#include "answer_rules.h"

#include <optional>

class Window;

// The answer box. Every change of its text is checked at once and the verdict
// shown in ImgOk; a right answer with "答对后自动换题" ticked makes the next
// question (cmdTest_Click, nested). The check re-enters itself through the
// text it writes. Failures inside it end it silently; never throws.
void txtAnswer_Change(Window &w);

// The first key or click in a box that holds "?" empties it, before the key's
// character reaches the box.
void txtAnswer_KeyDown(Window &w);
void txtAnswer_MouseDown(Window &w);

namespace feedback {

// Shows a verdict in ImgOk: the right or the wrong picture, or none (no
// verdict, or digits still being typed), and says it to a screen reader in
// the same words. Throws RuntimeFailure when the picture cannot be read; the
// picture and words on display then stay.
void showVerdict(Window &w, std::optional<Verdict> verdict);

} // namespace feedback
