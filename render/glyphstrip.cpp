#include "render/glyphstrip.h"

namespace GlyphStrip {

QRect cell(const QImage &strip, int c, int n)
{
    const int s = strip.height();
    return QRect(0, (c * s) / n, strip.width(), s / n);
}

QRect weekCell(const QImage &strip, int weekDay)
{
    const int h = strip.height() / WeekCells;
    return QRect(0, weekDay * h, strip.width(), h);
}

} // namespace GlyphStrip
