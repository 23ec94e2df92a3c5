#pragma once

#include "platform/widgets/zwindowfocus.h"

#include <QDialog>
#include <QPixmap>
#include <QString>

class QScrollArea;
class QVBoxLayout;
class ZSoftKey;
class ZTitleBar;

/**
 * A modal phone popup: a title bar, the inserted children stacked from top to
 * bottom (scrolled when they do not fit), and its own soft-key bar. It is as
 * wide as the screen; a popup whose children need less than the screen's height
 * is shorter and sits over the bottom of the window beneath. A popup holding a
 * child that grows (a list) takes the whole screen.
 *
 * Keys: F1 presses the left soft key, F2 and Escape the right one (a right key
 * that does nothing closes the popup with reject()); Up and Down move between
 * the children that take the focus, or scroll when none does. A close by the
 * window manager (title bar button, Alt+F4) is the right soft key, as Escape is.
 */
class ZPopup : public QDialog
{
    Q_OBJECT

public:
    /** Type, integer argument, flags and display are accepted for the platform's signature and not used. */
    explicit ZPopup(int type = 0, QWidget *parent = nullptr, const char *name = nullptr, bool modal = true,
        int arg = 0, int flags = 0, int display = 0);
    ~ZPopup() override;

    void setTitle(const QString &title);
    QString title() const;
    void setTitleIcon(const QPixmap &icon);

    /** Adds a child at the position (-1: below the others); the popup takes it over. */
    void insertChild(QWidget *child, int pos = -1);

    ZSoftKey *softKey() const { return m_softKey; }

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void placeOnScreen();
    /** Up and Down: the next or previous field, or a line further through the text. */
    void moveAlong(bool down);
    /** The right soft key, or reject() where it does nothing. */
    void back();

    ZTitleBar *m_titleBar;
    QScrollArea *m_scroll;
    QWidget *m_body;
    QVBoxLayout *m_bodyLayout;
    ZSoftKey *m_softKey;
    int m_children = 0;
    bool m_growing = false;
    ZWindowFocus m_focus;
};
