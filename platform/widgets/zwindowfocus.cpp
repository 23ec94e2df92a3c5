#include "platform/widgets/zwindowfocus.h"

#include "platform/phonescreen.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

ZWindowFocus::ZWindowFocus(QWidget *window)
    : m_window(window)
{ }

void ZWindowFocus::rememberWindowBeneath()
{
    QWidget *front = QApplication::activeWindow();
    if (front && front != m_window) {
        m_windowBeneath = front;
        m_focusBeneath = front->focusWidget();
    }
}

void ZWindowFocus::shown()
{
    if (!m_window->isWindow())
        return;
    if (!m_windowBeneath)
        rememberWindowBeneath();
    activate();
    // A window that is not mapped yet cannot take the focus; ask again once the
    // event loop has mapped it.
    QTimer::singleShot(0, m_window, [this] {
        if (m_window->isVisible() && !m_window->isActiveWindow())
            activate();
    });
}

void ZWindowFocus::activate()
{
    m_window->activateWindow();
    QWidget *target = m_window->focusWidget();
    if (!target || target == m_window) {
        target = m_window;
        for (QWidget *next = m_window->nextInFocusChain(); next && next != m_window;
             next = next->nextInFocusChain()) {
            if (m_window->isAncestorOf(next) && next->isVisibleTo(m_window) && next->isEnabled()
                && (next->focusPolicy() & Qt::TabFocus)) {
                target = next;
                break;
            }
        }
    }
    target->setFocus(Qt::ActiveWindowFocusReason);
}

void ZWindowFocus::hidden()
{
    if (!m_window->isWindow())
        return;
    QWidget *beneath = m_windowBeneath;
    m_windowBeneath = nullptr;
    if (!beneath || !beneath->isVisible())
        return;
    beneath->activateWindow();
    if (m_focusBeneath)
        m_focusBeneath->setFocus(Qt::ActiveWindowFocusReason);
}

QPoint ZWindowFocus::phoneScreenOrigin(QWidget *parent) const
{
    QWidget *beneath = parent ? parent->window() : m_windowBeneath.data();
    if (beneath && beneath != m_window) {
        const QRect frame = beneath->geometry();
        return { frame.left(), frame.top() + frame.height() - PhoneScreen::Height };
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return screen->geometry().topLeft();
    return {};
}
