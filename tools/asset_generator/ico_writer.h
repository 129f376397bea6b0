#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

struct IcoEntry {
    QImage image;     // square, any format; alpha below 128 counts as transparent
    int bitsPerPixel; // 1, 4, 8 or 32
};

// A Windows .ico with one DIB per entry, in the given order.
QByteArray buildIco(const std::vector<IcoEntry> &entries);
