#pragma once

#include <QFont>

#include <future>

// The window's two faces, shared with the start-up benchmark's floor so that
// both ask fontconfig for the same fonts.
namespace faces {

// The font of every control without the large font.
QFont dialog();
// The large font of the question row: "宋体" 42 points, or the nearest
// installed Chinese serif face.
QFont question();

// Where Qt's fonts come from fontconfig, starts it on another thread: its
// configuration and its cache of the installed faces are the slowest part of
// a program's first text, and need no Qt, so they are read while QApplication
// is made. Call it before QApplication and wait for it before the first text
// is measured; elsewhere it does nothing (and the future is not valid).
std::future<void> startFontconfigAhead();

// Fills Qt's font database on another thread while the window's controls are
// made; the first control that measures a text waits for it. Call it once
// QApplication exists, and keep the future until the window is made.
std::future<void> fillDatabaseAhead();

} // namespace faces
