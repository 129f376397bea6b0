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

} // namespace faces
