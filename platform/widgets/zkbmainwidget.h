#pragma once

#include "platform/widgets/zwindowfocus.h"

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class QVBoxLayout;
class ZSoftKey;
class ZTitleBar;

/**
 * A full-screen phone window: a title bar (icon and title), a content area
 * holding one widget, and a soft-key bar. The title bar shows the window's own
 * title, or the application title when the window has none; the window system
 * sees the same text. F1 presses the left soft key, F2 and Escape the right one.
 * A close by the window manager (title bar button, Alt+F4) is the right soft
 * key too: the window goes where Back takes it and stores nothing.
 */
class ZKbMainWidget : public QWidget
{
    Q_OBJECT

public:
    /** The header type, flags and display are accepted for the platform's signature and not used. */
    explicit ZKbMainWidget(int headerType = 0, QWidget *parent = nullptr, const char *name = nullptr,
        int flags = 0, int display = 0);
    ~ZKbMainWidget() override;

    /** The title of every window that has no title of its own. */
    static void setAppTitle(const QString &title);

    void setMainWidgetTitle(const QString &title);
    /** What the title bar shows. */
    QString title() const;
    void setTitleIcon(const QPixmap &icon);

    /** Puts the widget in the content area; a widget that was there before is deleted. */
    void setContentWidget(QWidget *content);
    QWidget *contentWidget() const { return m_content; }

    /** Installs the soft-key bar at the bottom of the window (it becomes a child of the window). */
    void setSoftKey(ZSoftKey *softKey);
    ZSoftKey *softKey() const;

    void setVisible(bool visible) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void updateTitle();

    ZTitleBar *m_titleBar;
    QVBoxLayout *m_layout;
    QWidget *m_contentArea;
    QPointer<QWidget> m_content;
    QPointer<ZSoftKey> m_softKey;
    QString m_title;
    ZWindowFocus m_focus;
};
