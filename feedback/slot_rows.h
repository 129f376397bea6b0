#pragma once

#include "controls/image_box.h"
#include "controls/picture_file.h"

#include <algorithm>
#include <array>

// Filling and emptying a row of hint slots, shared by the drawing and the
// answer reveal.
namespace feedback {

template <std::size_t N>
void emptyRow(const std::array<ImageBox *, N> &row)
{
    for (ImageBox *slot : row)
        slot->setPicture(QString());
}

// Slots from..to-1 get the picture, one after the other; slots beyond the
// row are ignored.
template <std::size_t N>
void fillRow(const std::array<ImageBox *, N> &row, long long from, long long to,
             SharedPicture &picture)
{
    const long long end = std::min<long long>(to, static_cast<long long>(N));
    for (long long i = std::max<long long>(from, 0); i < end; ++i)
        row[static_cast<std::size_t>(i)]->setPicture(picture);
}

} // namespace feedback
