#include "ico_writer.h"

#include "image_io.h"

namespace {

void put16(QByteArray &out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, static_cast<int>(value & 0xFFFF));
    put16(out, static_cast<int>(value >> 16));
}

// DIB rows are padded to whole 32-bit words.
int rowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// Windows' own 16-colour order, so old shells show what they expect.
std::vector<QRgb> vgaPalette()
{
    return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
}

// 6x6x6 colour cube followed by 40 greys.
std::vector<QRgb> cubePalette()
{
    std::vector<QRgb> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i) {
        const int v = (i + 1) * 255 / 41;
        palette.push_back(qRgb(v, v, v));
    }
    return palette;
}

int nearest(const std::vector<QRgb> &palette, QRgb colour)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const long dr = qRed(palette[i]) - qRed(colour);
        const long dg = qGreen(palette[i]) - qGreen(colour);
        const long db = qBlue(palette[i]) - qBlue(colour);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// Only light colours stay white, so a bright fill such as the orange badge
// turns black and the white "+" on it stays visible.
int blackOrWhite(QRgb colour) { return qGray(colour) >= 180 ? 1 : 0; }

QByteArray dib(const QImage &source, int bits)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    if (image.height() != size || size < 1 || size > 256)
        fail(QStringLiteral("icon images must be square and at most 256 pixels"));

    std::vector<QRgb> palette;
    if (bits == 1)
        palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    else if (bits == 4)
        palette = vgaPalette();
    else if (bits == 8)
        palette = cubePalette();
    else if (bits != 32)
        fail(QStringLiteral("unsupported icon depth %1").arg(bits));
    if (bits <= 8)
        palette.resize(std::size_t{1} << bits, qRgb(0, 0, 0));

    const int xorStride = rowBytes(size, bits);
    const int andStride = rowBytes(size, 1);
    QByteArray out;
    put32(out, 40);                 // BITMAPINFOHEADER size
    put32(out, size);
    put32(out, 2 * size);           // colour bitmap and mask stacked
    put16(out, 1);                  // planes
    put16(out, bits);
    put32(out, 0);                  // BI_RGB
    put32(out, (xorStride + andStride) * size);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);                  // colours used: all of the palette
    put32(out, 0);
    for (QRgb c : palette) {
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }

    QByteArray mask(andStride * size, '\0');
    const int xorStart = out.size();
    out.append(QByteArray(xorStride * size, '\0'));
    auto *xorBits = reinterpret_cast<unsigned char *>(out.data() + xorStart);
    auto *andBits = reinterpret_cast<unsigned char *>(mask.data());
    for (int row = 0; row < size; ++row) {
        const int y = size - 1 - row; // DIBs are stored bottom-up
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        unsigned char *xorRow = xorBits + row * xorStride;
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = line[x];
            const bool transparent = qAlpha(pixel) < 128;
            if (transparent)
                andBits[row * andStride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
            if (bits == 32) {
                unsigned char *p = xorRow + 4 * x;
                p[0] = static_cast<unsigned char>(qBlue(pixel));
                p[1] = static_cast<unsigned char>(qGreen(pixel));
                p[2] = static_cast<unsigned char>(qRed(pixel));
                p[3] = static_cast<unsigned char>(qAlpha(pixel));
                continue;
            }
            // Transparent pixels keep index 0 (black) so the mask fully hides them.
            if (transparent)
                continue;
            const int index = bits == 1 ? blackOrWhite(pixel) : nearest(palette, pixel);
            const int perByte = 8 / bits;
            const int shift = (perByte - 1 - x % perByte) * bits;
            xorRow[x / perByte] |= static_cast<unsigned char>(index << shift);
        }
    }
    out.append(mask);
    return out;
}

} // namespace

QByteArray buildIco(const std::vector<IcoEntry> &entries)
{
    std::vector<QByteArray> images;
    for (const IcoEntry &entry : entries)
        images.push_back(dib(entry.image, entry.bitsPerPixel));

    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon, not cursor
    put16(out, static_cast<int>(entries.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int size = entries[i].image.width();
        const int bits = entries[i].bitsPerPixel;
        out.append(static_cast<char>(size == 256 ? 0 : size));
        out.append(static_cast<char>(size == 256 ? 0 : size));
        out.append(static_cast<char>(bits < 8 ? 1 << bits : 0));
        out.append('\0');
        put16(out, 1);
        put16(out, bits);
        put32(out, static_cast<quint32>(images[i].size()));
        put32(out, offset);
        offset += static_cast<quint32>(images[i].size());
    }
    for (const QByteArray &image : images)
        out.append(image);
    return out;
}
