#pragma once

#include <QIcon>
#include <QImage>

#include <future>

// The window's own pictures, its background and its icon, which are part of
// the program. decodeAhead() decodes both on other threads while the
// window's controls are made (a QImage may be read on any thread; QPixmap
// and QIcon only on the window's). The first window made after it takes
// them; any other decodes its own when made.
namespace pictures {

void decodeAhead();

// The background decoded ahead, not yet waited for; an invalid future when
// nothing was decoded ahead or another window took it.
std::future<QImage> takeBackgroundAhead();
// Decodes the background now.
QImage background();

// The icon with the sizes of a title bar, task bar and task switcher; waits
// for the one decoded ahead, if any.
QIcon windowIcon();

} // namespace pictures
