#include "tools/kestrow-skingen/dockicons.h"

#include "tools/kestrow-skingen/drawing.h"
#include "tools/kestrow-skingen/palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace DockIcons {
namespace {
struct Tile {
    QColor light;
    QColor dark;
};

QPainterPath circle(QPointF c, qreal r)
{
    QPainterPath p;
    p.addEllipse(c, r, r);
    return p;
}

QPainterPath phoneSymbol()
{
    // A handset lying diagonally: a bowed handle ending in two broad pads laid along it.
    QPainterPath handle;
    handle.moveTo(16, 15);
    handle.quadTo(12, 35, 33, 32);
    QPainterPathStroker stroker;
    stroker.setWidth(5);
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath shape = stroker.createStroke(handle);
    QPainterPath pad;
    pad.addRoundedRect(QRectF(-6.5, -4.25, 13, 8.5), 3.5, 3.5);
    QTransform ear;
    ear.translate(16.6, 15.5);
    ear.rotate(101);
    shape = shape.united(ear.map(pad));
    QTransform mouth;
    mouth.translate(32.5, 31.6);
    mouth.rotate(-9);
    shape = shape.united(mouth.map(pad));
    return shape.simplified();
}

QPainterPath messageSymbol()
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(11, 13, 26, 18.5), 7, 7);
    QPainterPath tail;
    tail.moveTo(15.5, 28);
    tail.lineTo(13, 36.5);
    tail.lineTo(23.5, 30);
    tail.closeSubpath();
    QPainterPath dots;
    for (int i = 0; i < 3; ++i)
        dots.addPath(circle(QPointF(18 + 6 * i, 22.25), 1.9));
    return bubble.united(tail).subtracted(dots);
}

QPainterPath cameraSymbol()
{
    QPainterPath body;
    body.addRoundedRect(QRectF(10.5, 17, 27, 18), 4.5, 4.5);
    QPainterPath hump;
    hump.addRoundedRect(QRectF(18, 13, 12, 7), 2.5, 2.5);
    QPainterPath shape = body.united(hump);
    shape = shape.subtracted(circle(QPointF(24, 26), 6.8));
    shape = shape.united(circle(QPointF(24, 26), 4.3));
    return shape.subtracted(circle(QPointF(33, 21), 1.3));
}

QPainterPath musicSymbol()
{
    QPainterPath shape;
    QTransform tilt;
    tilt.rotate(-22);
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 4.6, 3.4);
    shape.addPath(tilt.map(head).translated(17, 32.5));
    shape.addPath(tilt.map(head).translated(31, 29.5));
    shape.addRect(QRectF(19.6, 15.5, 2.2, 17));
    shape.addRect(QRectF(33.6, 12.5, 2.2, 17));
    QPainterPath beam;
    beam.moveTo(19.6, 14.5);
    beam.lineTo(35.8, 11);
    beam.lineTo(35.8, 16);
    beam.lineTo(19.6, 19.5);
    beam.closeSubpath();
    shape.addPath(beam);
    return shape.simplified();
}

QPainterPath settingsSymbol()
{
    // Eight teeth around a ring; the corners are rounded by stroking the outline once.
    QPolygonF outline;
    const QPointF c(24, 24);
    for (int k = 0; k < 8; ++k) {
        const qreal a = k * 45.0;
        const qreal pts[][2] = { { a - 15, 10.5 }, { a - 8.5, 14.2 }, { a + 8.5, 14.2 }, { a + 15, 10.5 } };
        for (const auto &pt : pts) {
            const qreal rad = pt[0] * std::numbers::pi / 180.0;
            outline << c + QPointF(std::sin(rad) * pt[1], -std::cos(rad) * pt[1]);
        }
    }
    QPainterPath gear;
    gear.addPolygon(outline);
    gear.closeSubpath();
    QPainterPathStroker stroker;
    stroker.setWidth(1.6);
    stroker.setJoinStyle(Qt::RoundJoin);
    gear = gear.united(stroker.createStroke(gear));
    return gear.subtracted(circle(c, 4.8));
}

QPainterPath appsSymbol()
{
    QPainterPath shape;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col)
            shape.addRoundedRect(QRectF(13.5 + col * 11.5, 13.5 + row * 11.5, 9.5, 9.5), 3, 3);
    return shape;
}

QImage paintIcon(const Tile &tile, const QPainterPath &symbol)
{
    QImage image = Drawing::canvas(IconSize, IconSize);
    const QPainterPath shape = Drawing::squircle(QRectF(3, 2.5, 42, 42), 12);
    QColor drop = Palette::shadow;
    drop.setAlpha(140);
    const QImage shadow = Drawing::shadowLayer(image.size(), shape, drop, 2, QPointF(0, 1.5));
    QColor ink = Palette::shadow;
    ink.setAlpha(70);
    const QImage symbolShadow = Drawing::shadowLayer(image.size(), symbol, ink, 1, QPointF(0, 1));

    QPainter p(&image);
    Drawing::smooth(p);
    p.drawImage(0, 0, shadow);
    QLinearGradient fill(0, 2.5, 0, 44.5);
    fill.setColorAt(0, tile.light);
    fill.setColorAt(1, tile.dark);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);
    // A thin light rim along the top edge reads as a lit glass edge at this size.
    QLinearGradient rim(0, 2.5, 0, 24);
    rim.setColorAt(0, QColor(255, 255, 255, 90));
    rim.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(rim), 1));
    p.drawPath(Drawing::squircle(QRectF(3.5, 3, 41, 41), 11.5));
    p.drawImage(0, 0, symbolShadow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(symbol);
    return image;
}
} // namespace

QStringList names()
{
    return { QStringLiteral("phone"), QStringLiteral("message"), QStringLiteral("camera"),
        QStringLiteral("music"), QStringLiteral("settings") };
}

QImage icon(const QString &name)
{
    if (name == QLatin1String("phone"))
        return paintIcon({ QColor(0x4C, 0xDB, 0x8E), QColor(0x1F, 0x9A, 0x5B) }, phoneSymbol());
    if (name == QLatin1String("message"))
        return paintIcon({ QColor(0x5A, 0xAE, 0xFF), QColor(0x2A, 0x6A, 0xE0) }, messageSymbol());
    if (name == QLatin1String("camera"))
        return paintIcon({ QColor(0x9C, 0x8C, 0xFF), QColor(0x5A, 0x46, 0xD4) }, cameraSymbol());
    if (name == QLatin1String("music"))
        return paintIcon({ QColor(0xFF, 0x7E, 0x9A), QColor(0xDC, 0x3C, 0x68) }, musicSymbol());
    if (name == QLatin1String("settings"))
        return paintIcon({ QColor(0x9A, 0xA6, 0xBA), QColor(0x58, 0x63, 0x78) }, settingsSymbol());
    return paintIcon({ QColor(0x3E, 0xC9, 0xBA), QColor(0x1F, 0x85, 0x7C) }, appsSymbol());
}

QImage bar(int width, int height)
{
    QImage image = Drawing::canvas(width, height);
    const QRectF glass(4, 4, width - 8, height - 8);
    QPainterPath shape;
    shape.addRoundedRect(glass, 16, 16);
    QColor drop = Palette::shadow;
    drop.setAlpha(90);
    const QImage shadow = Drawing::shadowLayer(image.size(), shape, drop, 2, QPointF(0, 1.5));

    QPainter p(&image);
    Drawing::smooth(p);
    p.drawImage(0, 0, shadow);
    // The shadow must not darken what shows through the glass itself.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillPath(shape, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QLinearGradient fill(0, glass.top(), 0, glass.bottom());
    fill.setColorAt(0, QColor(0x2A, 0x33, 0x4A, 170));
    fill.setColorAt(1, QColor(0x10, 0x14, 0x22, 190));
    p.setPen(QPen(QColor(255, 255, 255, 36), 1));
    p.setBrush(fill);
    p.drawPath(shape);
    QLinearGradient rim(0, glass.top(), 0, glass.top() + 14);
    rim.setColorAt(0, QColor(255, 255, 255, 70));
    rim.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(rim), 1));
    p.drawRoundedRect(glass.adjusted(0.5, 0.5, -0.5, -0.5), 15.5, 15.5);
    return image;
}
} // namespace DockIcons
