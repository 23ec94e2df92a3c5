#include "host/softkeybar.h"

#include <QPainter>

SoftKeyBar::SoftKeyBar(QWidget *parent)
    : QWidget(parent)
{ }

void SoftKeyBar::setTexts(const QString &left, const QString &centre, const QString &right)
{
    m_left = left;
    m_centre = centre;
    m_right = right;
    update();
}

void SoftKeyBar::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), QColor(10, 12, 20, 200));
    painter.setPen(QColor(225, 230, 240));
    const QRect text = rect().adjusted(4, 0, -4, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_left);
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, m_centre);
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, m_right);
}
