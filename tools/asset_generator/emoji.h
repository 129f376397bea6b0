#pragma once

#include <QFont>
#include <QImage>

// Draws single emoji from the Noto Color Emoji bitmap font.
class EmojiPainter {
public:
    EmojiPainter(); // fails unless the colour font is installed

    // The glyph cropped to its visible pixels, transparent around it.
    QImage glyph(const char32_t *text, const char *name) const;

    // The glyph scaled smoothly to fit a maxSide x maxSide box.
    QImage glyph(const char32_t *text, const char *name, int maxSide) const;

private:
    QFont m_font;
};

// Centres image on a white canvas, leaving at least margin pixels free on each side.
QImage fitOnWhite(const QImage &image, QSize canvas, int margin);
