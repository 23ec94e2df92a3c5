#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QStaticText>
#include <QString>

class QPaintDevice;
class QPainter;

/**
 * One line of skin text that is drawn every frame but changes rarely (the
 * countdown, the lunar date, a dock slot's name). Laying a line out costs as
 * much as drawing its glyphs, so the layout is kept and made again only when
 * the text, its size or its weight change. Draws exactly what the painter's
 * own text call draws at the same baseline, in the painter's pen.
 */
class SkinText
{
public:
    /** Draws `text` in skinFont(pointSize, bold) with the left end of its baseline at `baseline`. */
    void draw(QPainter &p, const QPoint &baseline, const QString &text, int pointSize, bool bold);
    /** Every pixel that draw() onto `device` may touch (null for an empty text). */
    QRect bounds(
        const QPaintDevice *device, const QPoint &baseline, const QString &text, int pointSize, bool bold);

private:
    void layOut(const QPaintDevice *device, const QString &text, int pointSize, bool bold);

    QString m_text;
    int m_pointSize = 0;
    bool m_bold = false;
    int m_dpi = 0; // 0: nothing laid out yet
    QFont m_font;
    QStaticText m_layout;
    qreal m_ascent = 0;
    QRect m_ink; // around the left end of the baseline
};
