#include "scenes.h"

#include "emoji.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// The window shows the picture only in a thin frame around two panels:
// rows above 24 and below 497, columns left of 24 and right of 817, and the
// 15-pixel gap at rows 377-392. Anything meant to be seen goes there.
constexpr int kWidth = 850;
constexpr int kHeight = 531;

// Fixed-seed generator for scattering flowers; the standard distributions
// differ between library versions, so only the raw sequence is used.
class Scatter {
public:
    int next(int low, int high) // inclusive
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + static_cast<int>((m_state >> 33) % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t m_state = 20240601;
};

const QColor kOutline(0x4E, 0x34, 0x2E);

void drawSunRays(QPainter &p, QPointF centre)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 55));
    for (int i = 0; i < 18; ++i) {
        const qreal a0 = qDegreesToRadians(i * 20.0);
        const qreal a1 = qDegreesToRadians(i * 20.0 + 9.0);
        QPainterPath wedge(centre);
        wedge.lineTo(centre + 1200 * QPointF(qCos(a0), qSin(a0)));
        wedge.lineTo(centre + 1200 * QPointF(qCos(a1), qSin(a1)));
        wedge.closeSubpath();
        p.drawPath(wedge);
    }
    p.restore();
}

void drawRainbow(QPainter &p, QPointF centre, qreal outerRadius)
{
    static const QColor bands[] = {0xFF5A5A, 0xFFA53D, 0xFFE84D, 0x6CCB5F,
                                   0x45A8F5, 0x6A6FD8, 0xB55BD0};
    const qreal band = 11;
    p.save();
    p.setBrush(Qt::NoBrush);
    qreal r = outerRadius - band / 2;
    for (const QColor &c : bands) {
        p.setPen(QPen(c, band + 0.6, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 180 * 16);
        r -= band;
    }
    p.restore();
}

void drawSmile(QPainter &p, QPointF centre, qreal scale)
{
    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(-12, -6), 4, 6);
    p.drawEllipse(QPointF(12, -6), 4, 6);
    p.setBrush(QColor(255, 120, 120, 150));
    p.drawEllipse(QPointF(-21, 6), 6, 4);
    p.drawEllipse(QPointF(21, 6), 6, 4);
    p.setPen(QPen(kOutline, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-11, -6, 22, 18), 200 * 16, 140 * 16);
    p.restore();
}

void drawSun(QPainter &p, QPointF centre, qreal radius)
{
    p.save();
    p.setPen(QPen(QColor(0xFF, 0x9F, 0x1C), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xFF, 0xC9, 0x2E));
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(i * 30.0 + 15.0);
        const QPointF dir(qCos(a), qSin(a));
        const QPointF side(-dir.y(), dir.x());
        QPainterPath ray;
        ray.moveTo(centre + dir * radius * 0.9 + side * radius * 0.22);
        ray.lineTo(centre + dir * radius * 1.55);
        ray.lineTo(centre + dir * radius * 0.9 - side * radius * 0.22);
        ray.closeSubpath();
        p.drawPath(ray);
    }
    QRadialGradient glow(centre - QPointF(radius, radius) * 0.3, radius * 1.3);
    glow.setColorAt(0, QColor(0xFF, 0xF5, 0x9D));
    glow.setColorAt(1, QColor(0xFF, 0xD5, 0x2E));
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
    p.restore();
    drawSmile(p, centre + QPointF(0, 4), radius / 36.0);
}

void drawCloud(QPainter &p, QPointF centre, qreal scale, bool smiling)
{
    QPainterPath cloud;
    const QPointF puffs[] = {{-52, 8}, {-26, -14}, {6, -26}, {38, -12}, {58, 10}, {0, 12}};
    const qreal radii[] = {26, 30, 36, 30, 22, 30};
    for (int i = 0; i < 6; ++i)
        cloud.addEllipse(centre + puffs[i] * scale, radii[i] * scale, radii[i] * scale);
    cloud.setFillRule(Qt::WindingFill);
    p.save();
    p.setPen(QPen(QColor(0xA8, 0xCC, 0xE6), 3));
    p.setBrush(Qt::white);
    p.drawPath(cloud.simplified());
    p.restore();
    if (smiling)
        drawSmile(p, centre + QPointF(0, -2) * scale, scale * 0.8);
}

// A strip of land whose top edge passes through the given points.
QPainterPath hill(std::initializer_list<QPointF> ridge)
{
    const std::vector<QPointF> pts(ridge);
    QPainterPath path(QPointF(pts.front().x(), kHeight + 10));
    path.lineTo(pts.front());
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const QPointF a = pts[i - 1], b = pts[i];
        const qreal mid = (a.x() + b.x()) / 2;
        path.cubicTo(QPointF(mid, a.y()), QPointF(mid, b.y()), b);
    }
    path.lineTo(pts.back().x(), kHeight + 10);
    path.closeSubpath();
    return path;
}

void drawTree(QPainter &p, QPointF foot, qreal scale)
{
    p.save();
    p.translate(foot);
    p.scale(scale, scale);
    p.setPen(QPen(QColor(0x6D, 0x4C, 0x41), 2));
    p.setBrush(QColor(0x8D, 0x6E, 0x63));
    p.drawRoundedRect(QRectF(-7, -46, 14, 48), 4, 4);
    p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 2.5));
    p.setBrush(QColor(0x4C, 0xAF, 0x50));
    p.drawEllipse(QPointF(-16, -58), 22, 20);
    p.drawEllipse(QPointF(16, -58), 22, 20);
    p.drawEllipse(QPointF(0, -78), 26, 24);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE5, 0x39, 0x35));
    for (const QPointF apple : {QPointF(-18, -56), QPointF(12, -70), QPointF(20, -52)})
        p.drawEllipse(apple, 4, 4);
    p.restore();
}

void drawFlower(QPainter &p, QPointF head, qreal radius, const QColor &petal, bool stem)
{
    p.save();
    if (stem) {
        p.setPen(QPen(QColor(0x38, 0x8E, 0x3C), qMax(1.5, radius * 0.28), Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(head, head + QPointF(0, radius * 2.4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x43, 0xA0, 0x47));
        p.drawEllipse(head + QPointF(radius * 0.6, radius * 1.8), radius * 0.6, radius * 0.3);
    }
    p.setPen(QPen(petal.darker(130), qMax(0.8, radius * 0.12)));
    p.setBrush(petal);
    for (int i = 0; i < 5; ++i) {
        const qreal a = qDegreesToRadians(i * 72.0 - 90.0);
        p.drawEllipse(head + QPointF(qCos(a), qSin(a)) * radius * 0.62, radius * 0.5,
                      radius * 0.5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD5, 0x4F));
    p.drawEllipse(head, radius * 0.42, radius * 0.42);
    p.restore();
}

void drawEmoji(QPainter &p, const EmojiPainter &emoji, const char32_t *text, const char *name,
               QPointF centre, int size, bool mirrored = false)
{
    QImage image = emoji.glyph(text, name, size);
    if (mirrored)
        image = image.mirrored(true, false);
    p.drawImage(centre - QPointF(image.width(), image.height()) / 2, image);
}

} // namespace

QImage drawBackground(const EmojiPainter &emoji)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    QLinearGradient sky(0, 0, 0, 330);
    sky.setColorAt(0, QColor(0x3F, 0xB4, 0xF5));
    sky.setColorAt(1, QColor(0xC8, 0xEE, 0xFF));
    p.fillRect(image.rect(), sky);

    const QPointF sunCentre(66, 60);
    drawSunRays(p, sunCentre);
    drawRainbow(p, QPointF(440, 480), 474);
    drawCloud(p, QPointF(300, 30), 0.75, false);
    drawCloud(p, QPointF(590, 150), 0.9, false);
    drawCloud(p, QPointF(786, 44), 1.0, true);
    drawSun(p, sunCentre, 36);

    // Hills rise towards both edges so the side margins show grass.
    p.setPen(QPen(QColor(0x7C, 0xB3, 0x42), 3));
    p.setBrush(QColor(0xAE, 0xDE, 0x73));
    p.drawPath(hill({{-10, 250}, {160, 300}, {420, 270}, {640, 305}, {860, 235}}));
    drawTree(p, QPointF(14, 292), 1.0);
    drawTree(p, QPointF(836, 280), 1.05);
    QLinearGradient meadow(0, 300, 0, kHeight);
    meadow.setColorAt(0, QColor(0x8B, 0xD9, 0x5A));
    meadow.setColorAt(1, QColor(0x4C, 0xB0, 0x4F));
    p.setPen(QPen(QColor(0x5A, 0xA6, 0x3C), 3));
    p.setBrush(meadow);
    p.drawPath(hill({{-10, 300}, {250, 345}, {520, 330}, {860, 296}}));

    Scatter scatter;
    const QColor petals[] = {0xFF6F91, 0xFFFFFF, 0xB388FF, 0xFF8A3D, 0xFF5252, 0x64B5F6,
                             0xFFEB3B};
    const auto petal = [&] { return petals[scatter.next(0, 6)]; };
    // Meadow, mostly hidden, so the picture also stands on its own.
    for (int i = 0; i < 40; ++i)
        drawFlower(p, QPointF(scatter.next(40, 800), scatter.next(350, 480)), 6, petal(), true);
    // The gap between the panels: a row of tiny flowers.
    for (int x = 40; x < 810; x += 38)
        drawFlower(p, QPointF(x + scatter.next(-6, 6), 383 + scatter.next(-1, 2)), 4.5, petal(),
                   false);
    // Left and right margins.
    for (int y = 312; y < 490; y += 24) {
        drawFlower(p, QPointF(10 + scatter.next(0, 6), y + scatter.next(-4, 4)), 6.5, petal(), true);
        drawFlower(p, QPointF(828 + scatter.next(0, 8), y + scatter.next(-4, 4)), 6.5, petal(), true);
    }
    // Bottom margin, leaving room for the little animals.
    const int animalsAt[] = {46, 290, 560, 770};
    for (int x = 14; x < kWidth; x += 30) {
        const int fx = x + scatter.next(-5, 5);
        const int fy = 505 + scatter.next(-3, 3);
        const QColor colour = petal();
        if (std::none_of(std::begin(animalsAt), std::end(animalsAt),
                         [fx](int ax) { return std::abs(fx - ax) < 22; }))
            drawFlower(p, QPointF(fx, fy), 7.5, colour, true);
    }

    drawEmoji(p, emoji, U"\U0001F407", "兔子 rabbit", {130, 332}, 56);
    drawEmoji(p, emoji, U"\U0001F425", "小鸡 chick", {700, 330}, 40);
    drawEmoji(p, emoji, U"\U0001F426", "小鸟 bird", {200, 12}, 22, true);
    drawEmoji(p, emoji, U"\U0001F426", "小鸟 bird", {530, 13}, 18);
    drawEmoji(p, emoji, U"\U0001F98B", "蝴蝶 butterfly", {12, 200}, 20);
    drawEmoji(p, emoji, U"\U0001F98B", "蝴蝶 butterfly", {830, 170}, 20);
    drawEmoji(p, emoji, U"\U0001F41D", "蜜蜂 bee", {455, 384}, 14);
    drawEmoji(p, emoji, U"\U0001F407", "兔子 rabbit", {46, 510}, 30);
    drawEmoji(p, emoji, U"\U0001F41E", "瓢虫 ladybird", {290, 512}, 18);
    drawEmoji(p, emoji, U"\U0001F40C", "蜗牛 snail", {560, 512}, 24);
    drawEmoji(p, emoji, U"\U0001F424", "小鸡 chick", {770, 511}, 26);
    p.end();
    return image;
}

namespace {

constexpr QSize kMarkSize(66, 82);

// Thick rounded strokes with a darker rim read well even at half size.
QImage drawMark(const QPainterPath &shape, const QColor &rim, const QColor &fill)
{
    QImage image(kMarkSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(rim, 17, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
    p.setPen(QPen(fill, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 120), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shape.translated(-1.5, -2));
    p.end();
    return image;
}

} // namespace

QImage drawRightMark()
{
    QPainterPath tick(QPointF(13, 43));
    tick.lineTo(27, 58);
    tick.lineTo(53, 25);
    return drawMark(tick, QColor(0x2E, 0x8B, 0x3A), QColor(0x5C, 0xD0, 0x5E));
}

QImage drawWrongMark()
{
    QPainterPath cross(QPointF(17, 25));
    cross.lineTo(49, 57);
    cross.moveTo(49, 25);
    cross.lineTo(17, 57);
    return drawMark(cross, QColor(0xD3, 0x3F, 0x3F), QColor(0xFF, 0x7A, 0x7A));
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    // Keep outlines at least about one pixel wide in the small sizes.
    const qreal line = qMax(7.0, 1.15 * 256.0 / size);
    const QPen outline(kOutline, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QColor skin(0xFF, 0xD7, 0xAE);
    const QColor hair(0x8A, 0x4B, 0x22);

    p.setPen(outline);
    p.setBrush(skin);
    p.drawEllipse(QPointF(44, 146), 18, 20);
    p.drawEllipse(QPointF(212, 146), 18, 20);
    p.drawEllipse(QPointF(128, 142), 84, 82);

    QPainterPath hairCap(QPointF(44, 150));
    hairCap.cubicTo(34, 40, 222, 40, 212, 150);
    hairCap.quadTo(206, 112, 186, 104);
    hairCap.quadTo(172, 124, 150, 110);
    hairCap.quadTo(128, 126, 106, 110);
    hairCap.quadTo(84, 124, 70, 104);
    hairCap.quadTo(50, 112, 44, 150);
    QPainterPath tuft(QPointF(112, 62));
    tuft.quadTo(104, 24, 146, 26);
    tuft.quadTo(124, 36, 140, 62);
    p.setBrush(hair);
    p.drawPath(tuft);
    p.drawPath(hairCap);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3E, 0x27, 0x23));
    p.drawEllipse(QPointF(98, 150), 11, 14);
    p.drawEllipse(QPointF(158, 150), 11, 14);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(102, 145), 4, 4);
    p.drawEllipse(QPointF(162, 145), 4, 4);
    p.setBrush(QColor(0xFF, 0x80, 0x80, 170));
    p.drawEllipse(QPointF(74, 180), 15, 10);
    p.drawEllipse(QPointF(182, 180), 15, 10);

    QPainterPath mouth(QPointF(100, 180));
    mouth.cubicTo(108, 218, 148, 218, 156, 180);
    mouth.quadTo(128, 190, 100, 180);
    p.setBrush(QColor(0xE0, 0x3E, 0x3E));
    p.setPen(QPen(kOutline, line * 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mouth);

    // The "+" badge the child holds up: this is an adding game.
    const QPointF badge(200, 204);
    p.setPen(outline);
    p.setBrush(QColor(0xFF, 0x9E, 0x1B));
    p.drawEllipse(badge, 44, 44);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(badge.x() - 28, badge.y() - 9, 56, 18), 6, 6);
    p.drawRoundedRect(QRectF(badge.x() - 9, badge.y() - 28, 18, 56), 6, 6);
    p.end();
    return image;
}
