#pragma once

#include <QPointer>
#include <QWidget>

/**
 * Takes the keyboard focus for a window that is being shown and hands it back
 * to the window beneath once it goes, so keys always reach the front window,
 * also where no window manager moves the focus.
 */
class ZWindowFocus
{
public:
    explicit ZWindowFocus(QWidget *window);

    /** Notes the window in front now as the one to hand the focus back to. */
    void rememberWindowBeneath();
    /** Call from the window's show event. */
    void shown();
    /** Call from the window's hide event. */
    void hidden();
    /** The window that was in front when this one was shown, if it still exists. */
    QWidget *windowBeneath() const { return m_windowBeneath; }
    /**
     * The top-left corner of the phone screen that the window beneath (or
     * else the given parent's window) stands on: windows share the screen's
     * bottom edge, so a shorter popup beneath still tells where it is.
     * Without either, the top-left corner of the primary screen.
     */
    QPoint phoneScreenOrigin(QWidget *parent) const;

private:
    void activate();

    QWidget *m_window;
    QPointer<QWidget> m_windowBeneath;
    QPointer<QWidget> m_focusBeneath;
};
