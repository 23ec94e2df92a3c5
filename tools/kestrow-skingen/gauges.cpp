#include "tools/kestrow-skingen/gauges.h"

#include "tools/kestrow-skingen/drawing.h"
#include "tools/kestrow-skingen/palette.h"

#include <QPainter>

namespace Gauges {
namespace {
// Gauges sit straight on the wallpaper; a faint dark halo keeps them readable over light pictures.
void underlay(QImage &image, const QPainterPath &shape)
{
    QColor halo = Palette::shadow;
    halo.setAlpha(150);
    const QImage layer = Drawing::shadowLayer(image.size(), shape, halo, 1, QPointF(0, 0.5));
    QPainter p(&image);
    p.drawImage(0, 0, layer);
}
} // namespace

QImage battery(int level)
{
    QImage image = Drawing::canvas(BatteryWidth, BatteryHeight);
    const QRectF body(1.75, 2.75, 21.5, 8.5);
    const QRectF cap(23.75, 5.25, 2.5, 3.5);
    QPainterPath outline;
    outline.addRoundedRect(body.adjusted(-0.75, -0.75, 0.75, 0.75), 3, 3);
    outline.addRoundedRect(cap, 1, 1);
    underlay(image, outline);

    static const qreal fractions[] = { 0.14, 0.42, 0.7, 1.0 };
    const QColor fills[] = { Palette::alert, Palette::warm, Palette::ink, Palette::accent };
    level = qBound(0, level, 3);

    QPainter p(&image);
    Drawing::smooth(p);
    p.setPen(QPen(Palette::inkSoft, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body, 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::inkSoft);
    p.drawRoundedRect(cap, 1, 1);
    const QRectF inner = body.adjusted(2, 2, -2, -2);
    p.setBrush(fills[level]);
    p.drawRoundedRect(
        QRectF(inner.left(), inner.top(), inner.width() * fractions[level], inner.height()), 1.2, 1.2);
    return image;
}

QImage signal(int level)
{
    QImage image = Drawing::canvas(SignalWidth, SignalHeight);
    level = qBound(0, level, 5);
    QPainterPath all;
    QList<QRectF> bars;
    for (int i = 0; i < 5; ++i) {
        const qreal h = 3.5 + i * 2.25;
        const QRectF bar(1.5 + i * 4.5, 12.5 - h, 3, h);
        bars << bar;
        all.addRoundedRect(bar, 1, 1);
    }
    underlay(image, all);

    QColor off = Palette::inkDim;
    off.setAlpha(110);
    QPainter p(&image);
    Drawing::smooth(p);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        p.setBrush(i < level ? Palette::ink : off);
        p.drawRoundedRect(bars.at(i), 1, 1);
    }
    return image;
}
} // namespace Gauges
