#include "emoji.h"

#include "image_io.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

const QString kFamily = QStringLiteral("Noto Color Emoji");

// The font's bitmaps are drawn for 109 px per em; other sizes would make Qt
// resample them first and blur every picture twice.
constexpr int kNativePixelSize = 109;

QRect opaqueBounds(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Without its colour bitmaps the glyph would come out in the pen colour,
// black; every real emoji has lighter pixels somewhere.
bool isColourGlyph(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = qUnpremultiply(line[x]);
            if (qAlpha(c) > 128 && qGray(c) > 96)
                return true;
        }
    }
    return false;
}

} // namespace

EmojiPainter::EmojiPainter()
    : m_font(kFamily)
{
    m_font.setPixelSize(kNativePixelSize);
    // Without this Qt may borrow a monochrome glyph from another font.
    m_font.setStyleStrategy(QFont::NoFontMerging);
    if (QFontInfo(m_font).family() != kFamily)
        fail(QStringLiteral("font \"%1\" not found (Debian: apt-get install fonts-noto-color-emoji)")
                 .arg(kFamily));
}

QImage EmojiPainter::glyph(const char32_t *text, const char *name) const
{
    const QString string = QString::fromUcs4(text);
    if (!QFontMetrics(m_font).inFontUcs4(string.toUcs4().first()))
        fail(QStringLiteral("%1 has no glyph for %2").arg(kFamily, QString::fromUtf8(name)));

    const int side = kNativePixelSize * 2;
    QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setFont(m_font);
    painter.drawText(canvas.rect(), Qt::AlignCenter, string);
    painter.end();

    const QRect bounds = opaqueBounds(canvas);
    if (bounds.isEmpty())
        fail(QStringLiteral("emoji %1 rendered blank").arg(QString::fromUtf8(name)));
    if (bounds.left() == 0 || bounds.top() == 0 || bounds.right() == side - 1
        || bounds.bottom() == side - 1)
        fail(QStringLiteral("emoji %1 does not fit its canvas").arg(QString::fromUtf8(name)));
    QImage cropped = canvas.copy(bounds);
    if (!isColourGlyph(cropped))
        fail(QStringLiteral("emoji %1 rendered without colour").arg(QString::fromUtf8(name)));
    return cropped;
}

QImage EmojiPainter::glyph(const char32_t *text, const char *name, int maxSide) const
{
    return glyph(text, name).scaled(maxSide, maxSide, Qt::KeepAspectRatio,
                                    Qt::SmoothTransformation);
}

QImage fitOnWhite(const QImage &image, QSize canvas, int margin)
{
    const QSize room = canvas - QSize(2 * margin, 2 * margin);
    const QImage scaled = image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage out(canvas, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage((canvas.width() - scaled.width()) / 2,
                      (canvas.height() - scaled.height()) / 2, scaled);
    painter.end();
    return out;
}
