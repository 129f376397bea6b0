#pragma once

#include <QIcon>
#include <QImage>

#include <future>
#include <vector>

// The window's own pictures, its background and its icon, which are part of
// the program. They may be decoded on another thread while the window's
// controls are made (a QImage may be read on any thread; QPixmap and QIcon
// only on the window's) and handed to the next window made; any other
// window decodes its own when made.
namespace pictures {

// Decode now, on any thread.
QImage background();
// The sizes of a title bar, task bar and task switcher.
std::vector<QImage> iconSizes();

// Hands the pictures being decoded elsewhere to the next window made.
void expect(std::future<std::vector<QImage>> icon, std::future<QImage> background);

// The background handed over, not yet waited for; an invalid future when
// none was or another window took it.
std::future<QImage> takeBackgroundAhead();
// The window icon; waits for the one handed over, if any.
QIcon windowIcon();

} // namespace pictures
