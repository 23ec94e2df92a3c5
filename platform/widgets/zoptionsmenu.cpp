#include "platform/widgets/zoptionsmenu.h"

#include "platform/phonescreen.h"
#include "platform/widgets/zlook.h"
#include "platform/widgets/zsoftkey.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QPainter>

#include <algorithm>
#include <cctype>

namespace {

int entryHeight()
{
    return QFontMetrics(ZLook::textFont()).height() + 2 * ZLook::Margin + 2;
}

} // namespace

ZOptionsMenu::ZOptionsMenu(
    const QRect &rect, QWidget *parent, const char *name, int flags, int classId, int display)
    : QWidget(parent)
    , m_softKey(new ZSoftKey(nullptr, this))
{
    Q_UNUSED(rect);
    Q_UNUSED(flags);
    Q_UNUSED(classId);
    Q_UNUSED(display);
    if (name)
        setObjectName(QString::fromLatin1(name));
    if (!parent)
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    setFont(ZLook::textFont());
    m_softKey->setText(ZSoftKey::LEFT, ZLook::text(ZLook::Text::Select));
    m_softKey->setText(ZSoftKey::RIGHT, ZLook::text(ZLook::Text::Back));
    m_softKey->setClickedSlot(ZSoftKey::LEFT, this, [this] { activate(m_current); });
    m_softKey->setClickedSlot(ZSoftKey::RIGHT, this, &QWidget::hide);
    hide();
}

ZOptionsMenu::~ZOptionsMenu() = default;

int ZOptionsMenu::addEntry(const QString &text, bool enabled, std::function<void()> action)
{
    m_entries.push_back({ text, enabled, std::move(action) });
    update();
    return count() - 1;
}

int ZOptionsMenu::insertItem(const QString &text, QObject *receiver, const char *slot, bool enabled)
{
    // SLOT(name()) carries a code digit before the signature.
    QMetaMethod method;
    if (receiver && slot && *slot) {
        const char *name = std::isdigit(static_cast<unsigned char>(*slot)) ? slot + 1 : slot;
        const QByteArray signature = QMetaObject::normalizedSignature(name);
        method = receiver->metaObject()->method(receiver->metaObject()->indexOfMethod(signature.constData()));
        if (!method.isValid())
            qWarning("ZOptionsMenu: no method %s on %s", signature.constData(),
                receiver->metaObject()->className());
    }
    QPointer<QObject> guard(receiver);
    return addEntry(text, enabled, [guard, method] {
        if (guard && method.isValid())
            method.invoke(guard.data(), Qt::DirectConnection);
    });
}

QString ZOptionsMenu::text(int index) const
{
    return index >= 0 && index < count() ? m_entries[std::size_t(index)].text : QString();
}

void ZOptionsMenu::popup()
{
    if (QWidget *host = parentWidget())
        setGeometry(host->rect());
    else
        resize(PhoneScreen::Width, PhoneScreen::Height);
    m_softKey->setGeometry(0, height() - ZLook::SoftKeyBarHeight, width(), ZLook::SoftKeyBarHeight);
    m_current = -1;
    moveCurrent(1);
    m_focusBefore = window() == this ? nullptr : window()->focusWidget();
    show();
    raise();
    if (isWindow())
        activateWindow();
    setFocus(Qt::PopupFocusReason);
}

QRect ZOptionsMenu::boxRect() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const Entry &entry : m_entries)
        widest = std::max(widest, metrics.horizontalAdvance(entry.text));
    const int boxWidth = std::clamp(widest + 4 * ZLook::Margin, width() / 2, width() - 2 * ZLook::Margin);
    const int boxHeight = std::min(count() * entryHeight() + 2, height() - ZLook::SoftKeyBarHeight);
    return { ZLook::Margin, height() - ZLook::SoftKeyBarHeight - boxHeight, boxWidth, boxHeight };
}

QRect ZOptionsMenu::entryRect(int index) const
{
    const QRect box = boxRect();
    return { box.left() + 1, box.top() + 1 + index * entryHeight(), box.width() - 2, entryHeight() };
}

int ZOptionsMenu::entryAt(const QPoint &pos) const
{
    for (int i = 0; i < count(); ++i) {
        if (entryRect(i).contains(pos) && boxRect().contains(pos))
            return i;
    }
    return -1;
}

void ZOptionsMenu::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ZLook::shade());
    const QRect box = boxRect();
    painter.fillRect(box, ZLook::background());
    painter.setPen(ZLook::barTop());
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setClipRect(box.adjusted(1, 1, -1, -1));
    const QFontMetrics metrics(font());
    for (int i = 0; i < count(); ++i) {
        const QRect entry = entryRect(i);
        const Entry &each = m_entries[std::size_t(i)];
        if (i == m_current)
            painter.fillRect(entry, ZLook::highlight());
        painter.setPen(i == m_current ? ZLook::highlightText()
                : each.enabled        ? ZLook::text()
                                      : ZLook::separator());
        const QRect textRect = entry.adjusted(2 * ZLook::Margin, 0, -ZLook::Margin, 0);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(each.text, Qt::ElideRight, textRect.width()));
    }
}

void ZOptionsMenu::moveCurrent(int step)
{
    for (int next = m_current + step; next >= 0 && next < count(); next += step) {
        if (m_entries[std::size_t(next)].enabled) {
            m_current = next;
            break;
        }
    }
    update();
}

void ZOptionsMenu::activate(int index)
{
    if (index < 0 || index >= count() || !m_entries[std::size_t(index)].enabled)
        return;
    // The entry may open a modal popup of its own: close the menu first.
    const std::function<void()> action = m_entries[std::size_t(index)].action;
    hide();
    if (action)
        action();
}

void ZOptionsMenu::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        moveCurrent(-1);
        break;
    case Qt::Key_Down:
        moveCurrent(1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F1:
        activate(m_current);
        break;
    case Qt::Key_Escape:
    case Qt::Key_F2:
        hide();
        break;
    default:
        break;
    }
    // Keys never reach the window under an open menu.
    event->accept();
}

void ZOptionsMenu::mousePressEvent(QMouseEvent *event)
{
    m_pressed = entryAt(event->position().toPoint());
    if (m_pressed >= 0 && m_entries[std::size_t(m_pressed)].enabled) {
        m_current = m_pressed;
        update();
    }
}

void ZOptionsMenu::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int pressed = m_pressed;
    m_pressed = -1;
    if (pressed >= 0 && entryAt(pos) == pressed)
        activate(pressed);
    else if (pressed < 0 && !boxRect().contains(pos))
        hide();
}

void ZOptionsMenu::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_focusBefore)
        m_focusBefore->setFocus(Qt::PopupFocusReason);
    m_focusBefore = nullptr;
}
