#pragma once

#include <QFont>
#include <QString>

// The window's two faces, shared with the start-up benchmark's floor so that
// both ask fontconfig for the same fonts.
//
// On Linux the program brings its own cut of each: the installed Noto Sans
// and Serif CJK SC faces cut down by the build (tools/subset_faces.py) to the
// characters the program shows, laid in fonts/ beside it. They draw the same
// pixels as the whole faces, which hold tens of thousands of glyphs: reading
// 60 glyphs scattered over a 19 MB file mapped 4 MiB of it, and shaping
// copied its large layout tables. A character outside the cut falls back to
// the whole face, which comes next in each list.
namespace faces {

// The families of the program's own faces, and their files in the folder.
inline constexpr char ownSansFamily[] = "Kidsum Sans CJK SC";
inline constexpr char ownSerifFamily[] = "Kidsum Serif CJK SC";
inline constexpr char ownSansFile[] = "kidsum-sans.otf";
inline constexpr char ownSerifFile[] = "kidsum-serif.otf";

// The font of every control without the large font.
QFont dialog();
// The large font of the question row: "宋体" 42 points, or the nearest
// installed Chinese serif face.
QFont question();

// The folder of the program's own faces: fonts/ beside the running program.
// Known before QApplication exists, unlike its application folder.
QString ownFacesFolder();

// Where Qt takes its fonts from fontconfig, starts fontconfig and adds the
// own faces found in the folder to the fonts it offers this program, and
// returns how many it added; elsewhere it adds none. Before QApplication:
// Qt reads fontconfig's list once, when it first needs a font.
int addOwnFaces(const QString &folder);

} // namespace faces
