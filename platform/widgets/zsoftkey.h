#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <type_traits>

class ZOptionsMenu;

/**
 * The soft-key bar at the bottom of a window or popup: a left and a right key,
 * each with a text and what pressing it does. F1 presses the left key, F2 and
 * Escape the right one (the window holding the bar passes those keys on); a
 * click on either half of the bar does the same.
 *
 * A bar created with a ZKbMainWidget as its parent is installed on that window
 * when the window has none yet.
 */
class ZSoftKey : public QWidget
{
    Q_OBJECT

public:
    enum Side { LEFT = 0, RIGHT = 1 };

    /** The layout name and the receiver are accepted for the platform's signature and not used. */
    explicit ZSoftKey(const char *layout = nullptr, QWidget *parent = nullptr, QObject *receiver = nullptr);

    void setText(Side side, const QString &text);
    QString text(Side side) const;

    /** Pressing the key calls the slot (SLOT(name())); replaces what the key did before. */
    void setClickedSlot(Side side, QObject *receiver, const char *slot);
    /** The same with a member function or a functor, called in the receiver's context. */
    template<typename Receiver, typename Func>
    requires(!std::is_convertible_v<Func, const char *>) void setClickedSlot(
        Side side, Receiver *receiver, Func slot)
    {
        unbind(side);
        m_keys[side].connection = side == LEFT ? connect(this, &ZSoftKey::leftClicked, receiver, slot)
                                               : connect(this, &ZSoftKey::rightClicked, receiver, slot);
    }
    /** Pressing the key opens the options menu; replaces what the key did before. */
    void setOptMenu(Side side, ZOptionsMenu *menu);

    /** Whether pressing the key does anything. */
    bool isBound(Side side) const;
    /** Does what pressing the key does. */
    void click(Side side);

    QSize sizeHint() const override;

Q_SIGNALS:
    void leftClicked();
    void rightClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Key {
        QString text;
        QMetaObject::Connection connection;
        QPointer<ZOptionsMenu> menu;
    };

    void unbind(Side side);
    Side sideAt(const QPoint &pos) const;

    std::array<Key, 2> m_keys;
    int m_pressed = -1;
};
