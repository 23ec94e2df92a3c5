#pragma once

// Drives modal windows with key presses: each step waits until its window is shown, then presses its
// keys there. Steps run from fresh single-shot timers, so a step whose key opens a nested modal loop
// does not hold back the steps after it. A script that cannot go on within its bound closes every
// window, so the test returns and reports which step it waited for.

#include <QApplication>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class KeyScript
{
public:
    using Finder = std::function<QWidget *()>;

    /** The shown top-level window of class T; nullptr while there is none. */
    template<typename T> static Finder window()
    {
        return []() -> QWidget * {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget *w : windows) {
                if (w->isVisible() && qobject_cast<T *>(w))
                    return w;
            }
            return nullptr;
        };
    }

    /** Waits for the window, then presses each key in turn (to its focus widget, else to it). */
    KeyScript &press(const Finder &find, std::vector<int> keys, const QString &what)
    {
        m_steps.push_back({ find, std::move(keys), {}, what });
        return *this;
    }
    /** Waits for the window, then runs the check or action on it. */
    KeyScript &with(const Finder &find, std::function<void(QWidget *)> action, const QString &what)
    {
        m_steps.push_back({ find, {}, std::move(action), what });
        return *this;
    }

    /** Starts the script; it runs inside whatever event loop the test enters next. */
    void start(int boundMs = 30000)
    {
        m_bound = boundMs;
        m_clock.start();
        schedule();
    }

    bool finished() const { return m_next == m_steps.size(); }
    /** Empty, or the step the script gave up waiting for. */
    QString failure() const { return m_failure; }

private:
    struct Step {
        Finder find;
        std::vector<int> keys;
        std::function<void(QWidget *)> action;
        QString what;
    };

    void schedule()
    {
        // Tied to the script: a tick still pending when the script ends never runs.
        QTimer::singleShot(5, &m_context, [this] { tick(); });
    }

    void tick()
    {
        if (finished() || !m_failure.isEmpty())
            return;
        const Step &step = m_steps[m_next];
        QWidget *target = step.find();
        if (!target) {
            if (m_clock.elapsed() > m_bound) {
                m_failure = QStringLiteral("gave up waiting for: ") + step.what;
                closeAll();
                return;
            }
            schedule();
            return;
        }
        ++m_next;
        if (!finished())
            schedule(); // before the keys: they may open a nested loop
        if (step.action)
            step.action(target);
        for (int key : step.keys) {
            QWidget *receiver = target->focusWidget() ? target->focusWidget() : target;
            QTest::keyClick(receiver, Qt::Key(key));
        }
    }

    static void closeAll()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *w : windows)
            w->close();
    }

    QObject m_context;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QString m_failure;
    QElapsedTimer m_clock;
    int m_bound = 30000;
};
