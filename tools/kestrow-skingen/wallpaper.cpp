#include "tools/kestrow-skingen/wallpaper.h"

#include "tools/kestrow-skingen/drawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace Wallpaper {
namespace {
constexpr int Width = 240;
constexpr int Height = 320;

// A fixed linear congruential sequence: the stars fall in the same places on every run and machine.
class StarSeed
{
public:
    quint32 next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    qreal unit() { return qreal(next() % 10000) / 10000.0; }

private:
    quint32 m_state = 20261206u;
};

QPainterPath ridge(qreal base, qreal amplitude, qreal phase, qreal waves)
{
    QPainterPath path;
    path.moveTo(0, Height);
    for (int x = 0; x <= Width; x += 4) {
        const qreal t = x / qreal(Width);
        const qreal y = base
            - amplitude * (0.6 * std::sin(t * waves + phase) + 0.4 * std::sin(t * waves * 2.3 + phase * 1.7));
        path.lineTo(x, y);
    }
    path.lineTo(Width, Height);
    path.closeSubpath();
    return path;
}

void sky(QPainter &p)
{
    QLinearGradient g(0, 0, 0, Height);
    g.setColorAt(0.00, QColor(0x0B, 0x0F, 0x2A));
    g.setColorAt(0.38, QColor(0x22, 0x1C, 0x4D));
    g.setColorAt(0.62, QColor(0x5A, 0x2E, 0x63));
    g.setColorAt(0.78, QColor(0xC0, 0x5A, 0x62));
    g.setColorAt(0.90, QColor(0xF2, 0x9A, 0x6E));
    g.setColorAt(1.00, QColor(0xF7, 0xB9, 0x7C));
    p.fillRect(0, 0, Width, Height, g);
}

void stars(QPainter &p)
{
    StarSeed seed;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 46; ++i) {
        const qreal x = seed.unit() * Width;
        const qreal y = std::pow(seed.unit(), 1.6) * Height * 0.55;
        const qreal r = 0.35 + seed.unit() * 0.75;
        const int alpha = int(70 + seed.unit() * 150 * (1.0 - y / (Height * 0.6)));
        p.setBrush(QColor(255, 246, 230, qBound(30, alpha, 230)));
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

void sun(QPainter &p)
{
    const QPointF centre(168, 236);
    QRadialGradient glow(centre, 120);
    glow.setColorAt(0, QColor(0xFF, 0xD2, 0x9A, 150));
    glow.setColorAt(0.35, QColor(0xFF, 0x9E, 0x7A, 60));
    glow.setColorAt(1, QColor(0xFF, 0x9E, 0x7A, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, 120, 120);
    QRadialGradient disc(centre, 22);
    disc.setColorAt(0, QColor(0xFF, 0xF0, 0xD0));
    disc.setColorAt(1, QColor(0xFF, 0xC8, 0x8E));
    p.setBrush(disc);
    p.drawEllipse(centre, 21, 21);
}

void hills(QPainter &p)
{
    const struct {
        qreal base, amplitude, phase, waves;
        QColor top, bottom;
    } layers[] = {
        { 248, 14, 0.6, 5.0, QColor(0x8A, 0x3E, 0x66), QColor(0x5E, 0x2B, 0x55) },
        { 266, 18, 2.1, 4.2, QColor(0x4A, 0x24, 0x4E), QColor(0x30, 0x19, 0x3C) },
        { 286, 16, 4.0, 3.4, QColor(0x26, 0x16, 0x36), QColor(0x17, 0x0F, 0x26) },
        { 306, 12, 1.3, 2.6, QColor(0x12, 0x0C, 0x1E), QColor(0x0A, 0x07, 0x12) },
    };
    p.setPen(Qt::NoPen);
    for (const auto &l : layers) {
        QLinearGradient g(0, l.base - l.amplitude, 0, Height);
        g.setColorAt(0, l.top);
        g.setColorAt(1, l.bottom);
        p.setBrush(g);
        p.drawPath(ridge(l.base, l.amplitude, l.phase, l.waves));
    }
}
} // namespace

QImage dusk()
{
    QImage image = Drawing::canvas(Width, Height);
    QPainter p(&image);
    Drawing::smooth(p);
    sky(p);
    stars(p);
    sun(p);
    hills(p);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}
} // namespace Wallpaper
