#include "tools/kestrow-skingen/strips.h"

#include "tools/kestrow-skingen/drawing.h"
#include "tools/kestrow-skingen/outlinefont.h"
#include "tools/kestrow-skingen/palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStringList>

namespace Strips {
namespace {
struct Glyph {
    QPainterPath path;
    QColor top;
    QColor bottom;
};

// One glyph per cell, centred by its advance so that digits keep the font's even spacing.
QPainterPath cellText(const OutlineFont &font, const StripStyle &style, int cell, const QString &text)
{
    const qreal x = (style.cellWidth - font.advance(text)) / 2;
    return font.path(text).translated(x, cell * style.cellHeight + style.baseline);
}

QImage paintCells(const StripStyle &style, const QList<Glyph> &glyphs)
{
    QImage strip = Drawing::canvas(style.cellWidth, style.cellHeight * int(glyphs.size()));
    QPainterPath all;
    for (const Glyph &g : glyphs)
        all.addPath(g.path);
    QColor shade = Palette::shadow;
    shade.setAlpha(style.shadowAlpha);
    const QImage shadow = Drawing::shadowLayer(strip.size(), all, shade, style.shadowRadius, QPointF(0, 1));

    QPainter p(&strip);
    Drawing::smooth(p);
    p.drawImage(0, 0, shadow);
    p.setPen(Qt::NoPen);
    for (const Glyph &g : glyphs) {
        const QRectF box = g.path.boundingRect();
        QLinearGradient fill(0, box.top(), 0, box.bottom());
        fill.setColorAt(0, g.top);
        fill.setColorAt(1, g.bottom);
        p.setBrush(fill);
        p.drawPath(g.path);
    }
    return strip;
}

QPainterPath separatorPath(const StripStyle &style, Separator separator, qreal digitHeight)
{
    const qreal cx = style.cellWidth / 2.0;
    const qreal base = 10 * style.cellHeight + style.baseline;
    QPainterPath path;
    if (separator == Separator::Colon) {
        const qreal r = style.pixelSize * 0.068;
        path.addEllipse(QPointF(cx, base - digitHeight * 0.24), r, r);
        path.addEllipse(QPointF(cx, base - digitHeight * 0.74), r, r);
    } else {
        const qreal w = style.cellWidth * 0.46;
        const qreal h = style.pixelSize * 0.13;
        path.addRoundedRect(QRectF(cx - w / 2, base - digitHeight * 0.44 - h / 2, w, h), h / 2, h / 2);
    }
    return path;
}
} // namespace

StripStyle dateStyle(const QColor &top, const QColor &bottom, const QColor &mark)
{
    StripStyle s;
    s.fontFile = FontFiles::latinBold();
    s.pixelSize = 15;
    s.cellWidth = 11;
    s.cellHeight = 20;
    s.baseline = 16;
    s.top = top;
    s.bottom = bottom;
    s.mark = mark;
    return s;
}

StripStyle weekStyle()
{
    StripStyle s = dateStyle(Palette::accent, Palette::accent, Palette::warm);
    s.fontFile = FontFiles::chinese();
    s.pixelSize = 14;
    s.cellWidth = 46;
    return s;
}

QImage digits(const StripStyle &style, Separator separator)
{
    const OutlineFont font(style.fontFile, style.pixelSize);
    if (!font.isValid())
        return QImage();
    QList<Glyph> glyphs;
    for (int d = 0; d <= 9; ++d)
        glyphs.append({ cellText(font, style, d, QString::number(d)), style.top, style.bottom });
    const qreal digitHeight = font.path(QStringLiteral("0")).boundingRect().height();
    glyphs.append({ separatorPath(style, separator, digitHeight), style.mark, style.mark });
    return paintCells(style, glyphs);
}

QImage weekDays(const StripStyle &style)
{
    const OutlineFont font(style.fontFile, style.pixelSize);
    if (!font.isValid())
        return QImage();
    const QStringList names = {
        QStringLiteral("星期日"),
        QStringLiteral("星期一"),
        QStringLiteral("星期二"),
        QStringLiteral("星期三"),
        QStringLiteral("星期四"),
        QStringLiteral("星期五"),
        QStringLiteral("星期六"),
    };
    QList<Glyph> glyphs;
    for (int day = 0; day < 7; ++day) {
        const bool weekend = day == 0 || day == 6;
        glyphs.append({ cellText(font, style, day, names.at(day)), weekend ? style.mark : style.top,
            weekend ? style.mark : style.bottom });
    }
    return paintCells(style, glyphs);
}
} // namespace Strips
