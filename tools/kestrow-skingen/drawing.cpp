#include "tools/kestrow-skingen/drawing.h"

#include "platform/phonescreen.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace Drawing {
namespace {
constexpr int DotsPerMeter96 = 3780;

// One box pass along a line of `count` pixels `stride` apart; pixels outside the image count as transparent.
void boxLine(quint32 *line, int count, int stride, int radius, std::vector<quint32> &scratch)
{
    scratch.resize(count);
    for (int i = 0; i < count; ++i)
        scratch[i] = line[i * stride];
    const int window = 2 * radius + 1;
    int sum[4] = { 0, 0, 0, 0 };
    auto add = [&](int index, int sign) {
        if (index < 0 || index >= count)
            return;
        const quint32 px = scratch[index];
        for (int c = 0; c < 4; ++c)
            sum[c] += sign * int((px >> (8 * c)) & 0xff);
    };
    for (int i = -radius; i < radius; ++i)
        add(i, 1);
    for (int i = 0; i < count; ++i) {
        add(i + radius, 1);
        quint32 px = 0;
        for (int c = 0; c < 4; ++c)
            px |= quint32((sum[c] + window / 2) / window) << (8 * c);
        line[i * stride] = px;
        add(i - radius, -1);
    }
}
} // namespace

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(DotsPerMeter96);
    image.setDotsPerMeterY(DotsPerMeter96);
    return image;
}

void smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

void blur(QImage &image, int radius)
{
    if (radius <= 0 || image.isNull())
        return;
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    const int stride = int(image.bytesPerLine() / 4);
    auto *bits = reinterpret_cast<quint32 *>(image.bits());
    std::vector<quint32> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            boxLine(bits + y * stride, w, 1, radius, scratch);
        for (int x = 0; x < w; ++x)
            boxLine(bits + x, h, stride, radius, scratch);
    }
}

QImage shadowLayer(QSize size, const QPainterPath &path, const QColor &color, int radius, QPointF offset)
{
    QImage layer = canvas(size.width(), size.height());
    {
        QPainter p(&layer);
        smooth(p);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawPath(path.translated(offset));
    }
    blur(layer, radius);
    return layer;
}

QPainterPath squircle(const QRectF &rect, qreal radius)
{
    // Bezier corners whose handles reach further than a circle's give the soft, continuous curve of a modern
    // tile.
    const qreal r = std::min(radius, std::min(rect.width(), rect.height()) / 2);
    const qreal k = r * 0.82;
    const qreal l = rect.left(), t = rect.top(), rt = rect.right(), b = rect.bottom();
    QPainterPath path;
    path.moveTo(l + r, t);
    path.lineTo(rt - r, t);
    path.cubicTo(rt - r + k, t, rt, t + r - k, rt, t + r);
    path.lineTo(rt, b - r);
    path.cubicTo(rt, b - r + k, rt - r + k, b, rt - r, b);
    path.lineTo(l + r, b);
    path.cubicTo(l + r - k, b, l, b - r + k, l, b - r);
    path.lineTo(l, t + r);
    path.cubicTo(l, t + r - k, l + r - k, t, l + r, t);
    path.closeSubpath();
    return path;
}
void topShade(QPainter &p, int height)
{
    QLinearGradient top(0, 0, 0, height);
    top.setColorAt(0, QColor(0, 0, 0, 110));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(0, 0, PhoneScreen::Width, height, top);
}

void glass(QPainter &p, const QRectF &rect, qreal radius, int topAlpha, int bottomAlpha, int borderAlpha)
{
    QLinearGradient fill(0, rect.top(), 0, rect.bottom());
    fill.setColorAt(0, QColor(0x12, 0x18, 0x2A, topAlpha));
    fill.setColorAt(1, QColor(0x0A, 0x0D, 0x18, bottomAlpha));
    p.setPen(QPen(QColor(255, 255, 255, borderAlpha), 1));
    p.setBrush(fill);
    p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

} // namespace Drawing
