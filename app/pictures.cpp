#include "pictures.h"

#include <QPixmap>

namespace pictures {

namespace {

// What expect() was handed, until a window takes it.
struct Ahead {
    std::future<std::vector<QImage>> icon;
    std::future<QImage> background;
};

Ahead &ahead()
{
    static Ahead pending;
    return pending;
}

} // namespace

QImage background()
{
    return QImage(QStringLiteral(":/kidsum/background.jpg"));
}

// Up to 128. On X11 every size is decoded and sent to the window manager
// before the first frame, so the 256 one, which only launchers show (from
// the desktop entry's icon), stays out: it would be three quarters of the
// icon's pixels at start-up.
std::vector<QImage> iconSizes()
{
    std::vector<QImage> sizes;
    for (const int size : {16, 32, 48, 64, 128})
        sizes.emplace_back(QStringLiteral(":/kidsum/icon-%1.png").arg(size));
    return sizes;
}

void expect(std::future<std::vector<QImage>> icon, std::future<QImage> background)
{
    ahead() = {std::move(icon), std::move(background)};
}

std::future<QImage> takeBackgroundAhead()
{
    return std::move(ahead().background);
}

QIcon windowIcon()
{
    std::future<std::vector<QImage>> handed = std::move(ahead().icon);
    QIcon icon;
    for (const QImage &size : handed.valid() ? handed.get() : iconSizes())
        icon.addPixmap(QPixmap::fromImage(size));
    return icon;
}

} // namespace pictures
