#include "backdrop.h"

#include <QPainter>

Backdrop::Backdrop(QWidget *parent)
    : QWidget(parent), picture_(QStringLiteral(":/kidsum/background.jpg"))
{
}

void Backdrop::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Natural size in logical pixels; on a high-DPI screen Qt must still
    // enlarge it, and smooth beats doubled pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, picture_);
}
