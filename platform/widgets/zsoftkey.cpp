#include "platform/widgets/zsoftkey.h"

#include "platform/phonescreen.h"
#include "platform/widgets/zkbmainwidget.h"
#include "platform/widgets/zlook.h"
#include "platform/widgets/zoptionsmenu.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

ZSoftKey::ZSoftKey(const char *layout, QWidget *parent, QObject *receiver)
    : QWidget(parent)
{
    Q_UNUSED(layout);
    Q_UNUSED(receiver);
    setFixedHeight(ZLook::SoftKeyBarHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFont(ZLook::barFont());
    if (auto *window = qobject_cast<ZKbMainWidget *>(parent); window && !window->softKey())
        window->setSoftKey(this);
}

void ZSoftKey::setText(Side side, const QString &text)
{
    m_keys[side].text = text;
    update();
}

QString ZSoftKey::text(Side side) const
{
    return m_keys[side].text;
}

void ZSoftKey::unbind(Side side)
{
    if (m_keys[side].connection)
        disconnect(m_keys[side].connection);
    m_keys[side].connection = {};
    m_keys[side].menu = nullptr;
}

void ZSoftKey::setClickedSlot(Side side, QObject *receiver, const char *slot)
{
    unbind(side);
    if (!receiver || !slot)
        return;
    m_keys[side].connection = side == LEFT ? connect(this, SIGNAL(leftClicked()), receiver, slot)
                                           : connect(this, SIGNAL(rightClicked()), receiver, slot);
}

void ZSoftKey::setOptMenu(Side side, ZOptionsMenu *menu)
{
    unbind(side);
    m_keys[side].menu = menu;
}

bool ZSoftKey::isBound(Side side) const
{
    return bool(m_keys[side].connection) || m_keys[side].menu;
}

void ZSoftKey::click(Side side)
{
    if (ZOptionsMenu *menu = m_keys[side].menu) {
        menu->popup();
        return;
    }
    if (side == LEFT)
        Q_EMIT leftClicked();
    else
        Q_EMIT rightClicked();
}

QSize ZSoftKey::sizeHint() const
{
    return { PhoneScreen::Width, ZLook::SoftKeyBarHeight };
}

ZSoftKey::Side ZSoftKey::sideAt(const QPoint &pos) const
{
    return pos.x() < width() / 2 ? LEFT : RIGHT;
}

void ZSoftKey::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, ZLook::barTop());
    gradient.setColorAt(1, ZLook::barBottom());
    painter.fillRect(rect(), gradient);

    const int half = width() / 2;
    if (m_pressed >= 0)
        painter.fillRect(
            m_pressed == LEFT ? QRect(0, 0, half, height()) : QRect(half, 0, width() - half, height()),
            ZLook::highlight());

    const QFontMetrics metrics(font());
    const int textWidth = half - 2 * ZLook::Margin;
    painter.setPen(ZLook::barText());
    painter.drawText(QRect(ZLook::Margin, 0, textWidth, height()), Qt::AlignVCenter | Qt::AlignLeft,
        metrics.elidedText(m_keys[LEFT].text, Qt::ElideRight, textWidth));
    painter.drawText(QRect(width() - ZLook::Margin - textWidth, 0, textWidth, height()),
        Qt::AlignVCenter | Qt::AlignRight, metrics.elidedText(m_keys[RIGHT].text, Qt::ElideRight, textWidth));
}

void ZSoftKey::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = sideAt(event->position().toPoint());
    update();
}

void ZSoftKey::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_pressed < 0)
        return;
    const int pressed = m_pressed;
    m_pressed = -1;
    update();
    if (rect().contains(event->position().toPoint()) && sideAt(event->position().toPoint()) == pressed)
        click(Side(pressed));
}
