#include "layout.h"

#include <cmath>

namespace layout {

QRect toPixels(Twips t)
{
    const auto px = [](int twips) { return int(std::lround(double(twips) / twipsPerPixel)); };
    return {px(t.left), px(t.top), px(t.width), px(t.height)};
}

Twips slot(Row row, int index)
{
    int blockLeft = 0;
    int inBlock = index;
    switch (row) {
    case Row::img1: blockLeft = 240; break;
    case Row::img2: blockLeft = 3240; break;
    case Row::img3:
        blockLeft = index < 20 ? 6480 : 9000;
        inBlock = index % 20;
        break;
    }
    const bool tall = (row == Row::img1 && index == 0) || (row == Row::img2 && index == 1);
    return {blockLeft + 480 * (inBlock % 5), 240 + 600 * (inBlock / 5), 450, tall ? 560 : 555};
}

} // namespace layout
