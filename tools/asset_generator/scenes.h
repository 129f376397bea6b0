#pragma once

#include <QImage>

class EmojiPainter;

// 850 x 531 landscape behind the program window.
QImage drawBackground(const EmojiPainter &emoji);

// 66 x 82 answer marks: a green tick and a soft red cross.
QImage drawRightMark();
QImage drawWrongMark();

// The application icon at size x size pixels, transparent around the figure.
QImage drawIcon(int size);
