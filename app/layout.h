#pragma once

#include <QRect>

// Where every control of the window stands, in twips (1440 to the inch, 15
// to a logical pixel), measured from its container's outer top-left corner.
// Qt's high-DPI scaling turns logical pixels into device pixels.
namespace layout {

struct Twips {
    int left, top, width, height;
};

inline constexpr int twipsPerPixel = 15;

// Rounded to the nearest logical pixel.
QRect toPixels(Twips t);

inline constexpr int clientWidth = 12585;
inline constexpr int clientHeight = 7890;

// The window's children.
inline constexpr Twips fraControl{360, 5880, 11895, 1575};
inline constexpr Twips fraDisplay{360, 360, 11895, 5295};

// Children of fraControl.
inline constexpr Twips Label3{960, 480, 615, 255};
inline constexpr Twips cbo1st{720, 840, 1215, 300};
inline constexpr Twips Label5{2640, 480, 615, 255};
inline constexpr Twips cboCode{2400, 840, 1215, 300};
inline constexpr Twips Label4{4320, 480, 735, 255};
inline constexpr Twips cbo2nd{4080, 840, 1215, 300};
inline constexpr Twips Label6{6120, 480, 855, 255};
inline constexpr Twips cboPic{6000, 840, 1215, 300};
inline constexpr Twips chkAuto{8160, 1080, 1815, 375};
inline constexpr Twips cmdTest{8400, 480, 975, 495};
inline constexpr Twips lblpic{8640, 720, 735, 375};
inline constexpr Twips cmdAnswer{10560, 480, 975, 495};

// Children of fraDisplay.
inline constexpr Twips txtTest1{720, 360, 1695, 1215};
inline constexpr Twips lblCode{2880, 600, 375, 735};
inline constexpr Twips txtTest2{3720, 360, 1695, 1215};
inline constexpr Twips lblDeng1{6120, 600, 375, 735};
inline constexpr Twips txtAnswer{7800, 360, 1695, 1215};
inline constexpr Twips ImgOk{9840, 720, 495, 615};
inline constexpr Twips fraPic{120, 2040, 11655, 2775};

// Children of fraPic.
inline constexpr Twips Pic1{2040, 240, 2415, 2415};
inline constexpr Twips lblCode2{2760, 1080, 375, 735};
inline constexpr Twips lblDeng2{6000, 1080, 375, 735};

enum class Row { img1, img2, img3 };

inline constexpr int slotCount(Row row) { return row == Row::img3 ? 40 : 20; }

// The grid: blocks of 5 columns by 4 lines, 480 apart across and 600 down;
// img3 is two blocks side by side. img1(0) and img2(1) are 560 high, every
// other slot 555.
Twips slot(Row row, int index);

} // namespace layout
