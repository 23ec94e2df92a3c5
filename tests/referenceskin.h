#pragma once

// The reference skin: every element on (both clocks with seconds, the date with its year, the week
// day, the lunar date, both gauges, the countdown, ten dock icons with the slot names, a frame cover
// over a translucent centre image), made of synthetic images of typical sizes. The frame benchmark
// measures it and the tests prove its frames; both take it from here.

#include "data/skinmodel.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

namespace ReferenceSkin {

inline QImage gradientImage(int width, int height, QColor from, QColor to, QImage::Format format)
{
    QImage image(width, height, format);
    image.fill(Qt::transparent);
    QPainter p(&image);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(image.rect(), g);
    return image;
}

inline QImage translucentPanel(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(20, 30, 60, 150));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRect(8, 20, width - 16, 140), 12, 12);
    p.drawRoundedRect(QRect(4, height - 76, width - 8, 52), 10, 10);
    return image;
}

inline QImage strip(int width, int cellHeight, int cells)
{
    return gradientImage(width, cellHeight * cells, QColor(250, 250, 250, 230), QColor(120, 200, 255, 230),
        QImage::Format_ARGB32_Premultiplied);
}

inline QImage hand(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, width, height / 2 + 4), colour);
    return image;
}

/** The skin itself. */
inline SkinModel model()
{
    SkinModel m;
    m.paddingSum = 6;
    m.background = gradientImage(240, 320, QColor(30, 20, 70), QColor(200, 90, 120), QImage::Format_RGB32);
    m.centre = translucentPanel(240, 320);
    m.cover = { true,
        gradientImage(240, 24, QColor(0, 0, 0, 160), QColor(0, 0, 0, 0), QImage::Format_ARGB32_Premultiplied),
        0, 0 };

    SkinModel::Analog &a = m.analog;
    a.show = true;
    a.dial = gradientImage(
        120, 120, QColor(40, 40, 60, 220), QColor(10, 10, 20, 220), QImage::Format_ARGB32_Premultiplied);
    a.hour = hand(8, 60, QColor(240, 240, 240));
    a.minute = hand(6, 90, QColor(200, 220, 255));
    a.second = hand(2, 100, QColor(255, 140, 40));
    a.secShow = true;
    a.left = 60;
    a.top = 40;

    SkinModel::Digital &d = m.digital;
    d.show = true;
    d.strip = strip(22, 34, 11);
    d.secShow = true;
    d.hourLeft = 20, d.hourTop = 30, d.colon0Left = 66, d.colon0Top = 30, d.minLeft = 90, d.minTop = 30;
    d.colon1Left = 136, d.colon1Top = 30, d.secLeft = 160, d.secTop = 30;

    SkinModel::Date &t = m.date;
    t.show = true;
    t.strip = strip(11, 16, 11);
    t.yearShow = true;
    t.yearLeft = 20, t.yearTop = 90, t.ymLeft = 64, t.ymTop = 90, t.monLeft = 75, t.monTop = 90;
    t.mdLeft = 97, t.mdTop = 90, t.dayLeft = 108, t.dayTop = 90;
    m.week = { true, strip(40, 16, 7), 140, 90 };
    m.lunar = { true, 10, 0xc9d4e0, 20, 130 };

    m.battery.show = true;
    for (QImage &level : m.battery.levels)
        level = gradientImage(28, 14, Qt::white, Qt::green, QImage::Format_ARGB32_Premultiplied);
    m.battery.left = 204, m.battery.top = 4;
    m.signal.show = true;
    for (QImage &level : m.signal.levels)
        level = gradientImage(24, 14, Qt::white, Qt::cyan, QImage::Format_ARGB32_Premultiplied);
    m.signal.left = 10, m.signal.top = 4;

    SkinModel::Notify &n = m.notify;
    n.show = true;
    n.fontSize = 10;
    n.left = 20, n.top = 150;
    n.color = QColor(255, 200, 120);
    n.year = 2026, n.month = 10, n.day = 1;
    n.info = QStringLiteral("新年");

    SkinModel::Dock &k = m.dock;
    k.show = true;
    k.num = DockSlotCount;
    k.infoShow = true;
    k.background = gradientImage(
        240, 48, QColor(255, 255, 255, 60), QColor(255, 255, 255, 20), QImage::Format_ARGB32_Premultiplied);
    k.bgLeft = 0, k.bgTop = 220;
    for (int i = 0; i < DockSlotCount; ++i) {
        DockSlot &s = k.slots[std::size_t(i)];
        s.icon = gradientImage(48, 48, QColor::fromHsv(36 * i, 200, 230), QColor::fromHsv(36 * i, 255, 120),
            QImage::Format_ARGB32_Premultiplied);
        s.left = 2 + 24 * i, s.top = 228;
        s.sizeWidth = s.sizeHeight = 22;
        s.widgetWidth = s.widgetHeight = 30;
        s.nameFontSize = 10;
        s.nameLeft = 60, s.nameTop = 214;
        s.nameColor = Qt::white;
        s.name = QStringLiteral("信息");
    }
    return m;
}

} // namespace ReferenceSkin
