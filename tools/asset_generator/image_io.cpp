#include "image_io.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace {

// 72 dpi expressed in the unit QImage stores; Qt's writer rounds it back to 72.
constexpr int kDotsPerMeter72Dpi = 2835;

QImage flattenOnWhite(const QImage &image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    flat.setDotsPerMeterX(kDotsPerMeter72Dpi);
    flat.setDotsPerMeterY(kDotsPerMeter72Dpi);
    return flat;
}

// The files must carry a JFIF 1.01 header at 72 dpi. libjpeg-turbo writes
// 1.01 by default; pin the version bytes so another libjpeg cannot change it.
void checkJfifHeader(QByteArray &jpeg, const QString &path)
{
    const auto byte = [&](int i) { return static_cast<unsigned char>(jpeg.at(i)); };
    if (jpeg.size() < 18 || byte(0) != 0xFF || byte(1) != 0xD8 || byte(2) != 0xFF
        || byte(3) != 0xE0 || jpeg.mid(6, 5) != QByteArray("JFIF\0", 5))
        fail(path + ": JPEG writer produced no JFIF APP0 segment");
    jpeg[11] = 1;
    jpeg[12] = 1;
    const int units = byte(13);
    const int xDensity = byte(14) << 8 | byte(15);
    const int yDensity = byte(16) << 8 | byte(17);
    if (units != 1 || xDensity != 72 || yDensity != 72)
        fail(path + QStringLiteral(": JFIF density is %1x%2 (unit %3), expected 72 dpi")
                        .arg(xDensity).arg(yDensity).arg(units));
}

} // namespace

void fail(const QString &message)
{
    std::fprintf(stderr, "asset_generator: %s\n", qPrintable(message));
    std::exit(1);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.commit())
        fail(path + ": " + file.errorString());
}

void writeJpeg(const QString &path, const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(true); // smaller Huffman tables, still baseline
    if (!writer.write(flattenOnWhite(image)))
        fail(path + ": " + writer.errorString());
    checkJfifHeader(bytes, path);
    writeFile(path, bytes);
}

void writePng(const QString &path, const QImage &image)
{
    QImage rgba = image.convertToFormat(QImage::Format_ARGB32);
    rgba.setDotsPerMeterX(kDotsPerMeter72Dpi);
    rgba.setDotsPerMeterY(kDotsPerMeter72Dpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(rgba))
        fail(path + ": " + writer.errorString());
    writeFile(path, bytes);
}
