#include "backdrop.h"

#include <QPainter>

namespace {

const QString picturePath = QStringLiteral(":/kidsum/background.jpg");

std::future<QImage> &pendingPicture()
{
    static std::future<QImage> pending;
    return pending;
}

} // namespace

Backdrop::Backdrop(QWidget *parent) : QWidget(parent), ahead_(std::move(pendingPicture()))
{
    if (!ahead_.valid())
        picture_ = QPixmap(picturePath);
}

void Backdrop::decodeAhead()
{
    // QImage may be read on any thread; a QPixmap only on the window's.
    pendingPicture() = std::async(std::launch::async, [] { return QImage(picturePath); });
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
