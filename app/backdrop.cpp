#include "backdrop.h"

#include "pictures.h"

#include <QPainter>

Backdrop::Backdrop(QWidget *parent) : QWidget(parent), ahead_(pictures::takeBackgroundAhead())
{
    if (!ahead_.valid())
        picture_ = QPixmap::fromImage(pictures::background());
}

void Backdrop::paintEvent(QPaintEvent *)
{
    if (ahead_.valid())
        picture_ = QPixmap::fromImage(ahead_.get());
    QPainter painter(this);
    // Natural size in logical pixels; on a high-DPI screen Qt must still
    // enlarge it, and smooth beats doubled pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, picture_);
}
