#include "tools/kestrow-skingen/wallpaper.h"

#include "platform/phonescreen.h"
#include "tools/kestrow-skingen/drawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace Wallpaper {
namespace {
constexpr int Width = PhoneScreen::Width;
constexpr int Height = PhoneScreen::Height;

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

// The home screen shows about wallpaper rows 195 to 224 twice, 25 rows apart: a frame's bottom 75 rows
// show the wallpaper 25 rows lower than the phone does. The sky is therefore kept nearly even from row
// 190 to row 250, and every sharp shape lies above or below that band.
void sky(QPainter &p)
{
    QLinearGradient g(0, 0, 0, Height);
    g.setColorAt(0.00, QColor(0x0B, 0x0F, 0x2A));
    g.setColorAt(0.35, QColor(0x1E, 0x1A, 0x48));
    g.setColorAt(0.59, QColor(0x36, 0x22, 0x5C));
    g.setColorAt(0.78, QColor(0x48, 0x27, 0x61));
    g.setColorAt(0.87, QColor(0xA8, 0x50, 0x69));
    g.setColorAt(0.95, QColor(0xEA, 0x8E, 0x6E));
    g.setColorAt(1.00, QColor(0xF6, 0xB4, 0x7C));
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

void moon(QPainter &p)
{
    const QPointF centre(206, 188);
    QRadialGradient halo(centre, 34);
    halo.setColorAt(0, QColor(0xFF, 0xE6, 0xC0, 70));
    halo.setColorAt(1, QColor(0xFF, 0xE6, 0xC0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(centre, 34, 34);
    QPainterPath disc;
    disc.addEllipse(centre, 8.5, 8.5);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(-4.2, -2.6), 7.6, 7.6);
    p.setBrush(QColor(0xFF, 0xEC, 0xCC));
    p.drawPath(disc.subtracted(bite));
}

void horizonGlow(QPainter &p)
{
    const QPointF centre(150, 336);
    QRadialGradient glow(centre, 110);
    glow.setColorAt(0, QColor(0xFF, 0xC8, 0x90, 170));
    glow.setColorAt(0.5, QColor(0xFF, 0x9A, 0x7A, 60));
    glow.setColorAt(1, QColor(0xFF, 0x9A, 0x7A, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, 110, 110);
}

void hills(QPainter &p)
{
    const struct {
        qreal base, amplitude, phase, waves;
        QColor top, bottom;
    } layers[] = {
        { 266, 10, 0.6, 5.0, QColor(0x7E, 0x3A, 0x62), QColor(0x5A, 0x2A, 0x52) },
        { 280, 13, 2.1, 4.2, QColor(0x4A, 0x24, 0x4E), QColor(0x30, 0x19, 0x3C) },
        { 296, 12, 4.0, 3.4, QColor(0x26, 0x16, 0x36), QColor(0x17, 0x0F, 0x26) },
        { 311, 9, 1.3, 2.6, QColor(0x12, 0x0C, 0x1E), QColor(0x0A, 0x07, 0x12) },
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
    moon(p);
    horizonGlow(p);
    hills(p);
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}
} // namespace Wallpaper
