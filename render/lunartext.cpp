#include "render/lunartext.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {

// Larger sizes only slow the frame down; nothing that size fits on the screen.
constexpr int MaxLunarFontSize = 200;

} // namespace

void drawLunarText(QPainter &painter, const SkinModel::Lunar &lunar, const QString &text)
{
    if (text.isEmpty())
        return;

    QFont font(QStringLiteral("AMCSL"));
    // A skin without a usable size keeps the font's own size.
    if (lunar.fontSize > 0)
        font.setPointSize(std::min(lunar.fontSize, MaxLunarFontSize));
    font.setWeight(QFont::Normal);
    font.setItalic(false);

    painter.save();
    painter.setFont(font);
    painter.setPen(QPen(QColor::fromRgb(QRgb(lunar.color) & 0xFFFFFF), 1, Qt::SolidLine));
    painter.drawText(QPoint(lunar.left, lunar.top), text);
    painter.restore();
}
