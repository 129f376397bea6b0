#pragma once

#include <QFont>

// The window's two faces, shared with the start-up benchmark's floor so that
// both ask fontconfig for the same fonts.
namespace faces {

// The font of every control without the large font.
QFont dialog();
// The large font of the question row: "宋体" 42 points, or the nearest
// installed Chinese serif face.
QFont question();

// Where Qt takes its fonts from fontconfig, starts it: reads its
// configuration and its cache of the installed faces, the slowest part of a
// program's first text, and one that needs no Qt, not even the application.
// Elsewhere it does nothing.
void startFontconfig();

// Fills Qt's font database, from any thread; needs the application.
void fillDatabase();

} // namespace faces
