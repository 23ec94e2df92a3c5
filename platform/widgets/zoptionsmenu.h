#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <type_traits>
#include <vector>

class ZSoftKey;

/**
 * The options menu of a window: a box of entries laid over the bottom of the
 * window, above a soft-key bar of its own (Select, Back), with the rest of the
 * window dimmed. Up and Down move between the enabled entries; Return, Enter,
 * F1 or a click on an entry closes the menu and then runs the entry; Escape, F2
 * or a click outside the box closes it.
 */
class ZOptionsMenu : public QWidget
{
    Q_OBJECT

public:
    /** Rectangle, flags, class id and display are accepted for the platform's signature and not used. */
    explicit ZOptionsMenu(const QRect &rect = QRect(), QWidget *parent = nullptr, const char *name = nullptr,
        int flags = 0, int classId = 0, int display = 0);
    ~ZOptionsMenu() override;

    /** Adds an entry that calls the slot (SLOT(name())); returns its index. */
    int insertItem(const QString &text, QObject *receiver, const char *slot, bool enabled = true);
    /** The same with a member function of the receiver, or a functor run while the receiver lives. */
    template<typename Receiver, typename Func>
    requires(!std::is_convertible_v<Func, const char *>) int insertItem(
        const QString &text, Receiver *receiver, Func slot, bool enabled = true)
    {
        QPointer<Receiver> guard(receiver);
        return addEntry(text, enabled, [guard, slot] {
            if (!guard)
                return;
            if constexpr (std::is_member_function_pointer_v<Func>)
                (guard.data()->*slot)();
            else
                slot();
        });
    }

    int count() const { return int(m_entries.size()); }
    QString text(int index) const;
    int currentItem() const { return m_current; }

    /** Shows the menu over its window and gives it the keyboard focus, the first enabled entry current. */
    void popup();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Entry {
        QString text;
        bool enabled = true;
        std::function<void()> action;
    };

    int addEntry(const QString &text, bool enabled, std::function<void()> action);
    QRect boxRect() const;
    QRect entryRect(int index) const;
    int entryAt(const QPoint &pos) const;
    void moveCurrent(int step);
    void activate(int index);

    std::vector<Entry> m_entries;
    int m_current = -1;
    int m_pressed = -1;
    ZSoftKey *m_softKey;
    QPointer<QWidget> m_focusBefore;
};
