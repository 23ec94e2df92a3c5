#include "platform/widgets/ztitlebar.h"

#include "platform/phonescreen.h"
#include "platform/widgets/zlook.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

ZTitleBar::ZTitleBar(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(ZLook::TitleBarHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFont(ZLook::barFont());
}

void ZTitleBar::setText(const QString &text)
{
    m_text = text;
    update();
}

void ZTitleBar::setIcon(const QPixmap &icon)
{
    m_icon = icon;
    update();
}

QSize ZTitleBar::sizeHint() const
{
    return { PhoneScreen::Width, ZLook::TitleBarHeight };
}

void ZTitleBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, ZLook::barTop());
    gradient.setColorAt(1, ZLook::barBottom());
    painter.fillRect(rect(), gradient);

    int x = ZLook::Margin;
    if (!m_icon.isNull()) {
        const int side = height() - 4;
        const QPixmap icon
            = m_icon.height() > side ? m_icon.scaledToHeight(side, Qt::SmoothTransformation) : m_icon;
        painter.drawPixmap(x, (height() - icon.height()) / 2, icon);
        x += icon.width() + ZLook::Margin;
    }
    painter.setPen(ZLook::barText());
    const QRect textRect(x, 0, width() - x - ZLook::Margin, height());
    const QString shown = QFontMetrics(font()).elidedText(m_text, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, shown);
}
