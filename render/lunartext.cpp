#include "render/lunartext.h"

#include "render/skintext.h"

#include <QColor>
#include <QPainter>
#include <QPen>

void drawLunarText(QPainter &painter, const SkinModel::Lunar &lunar, const QString &text, SkinText &line)
{
    if (text.isEmpty())
        return;
    painter.save();
    painter.setPen(QPen(lunarTextColor(lunar), 1, Qt::SolidLine));
    // A skin without a usable size (0 or less) keeps the font's own size.
    line.draw(painter, QPoint(lunar.left, lunar.top), text, lunar.fontSize, false);
    painter.restore();
}

void drawLunarText(QPainter &painter, const SkinModel::Lunar &lunar, const QString &text)
{
    SkinText line;
    drawLunarText(painter, lunar, text, line);
}

QColor lunarTextColor(const SkinModel::Lunar &lunar)
{
    return QColor::fromRgb(QRgb(lunar.color) & 0xFFFFFF);
}
