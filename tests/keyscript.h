#pragma once

// Drives modal windows with key presses: each step waits until its window is shown, then runs its action
// or presses its keys there (to its focus widget, else to it). Steps run from fresh single-shot timers, so
// a key that opens a nested modal loop does not hold back the steps after it. A script that cannot go on
// within 30 s closes every window, so the test returns and reports which step it waited for.

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class KeyScript
{
public:
    using Finder = std::function<QWidget *()>;
    using Action = std::function<void(QWidget *)>;

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

    KeyScript &press(const Finder &find, std::vector<int> keys, const QString &what)
    {
        m_steps.push_back({ find, std::move(keys), {}, what });
        return *this;
    }
    KeyScript &with(const Finder &find, Action action, const QString &what)
    {
        m_steps.push_back({ find, {}, std::move(action), what });
        return *this;
    }

    /** Starts the script; it runs inside whatever event loop the test enters next. */
    void start()
    {
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
        Action action;
        QString what;
    };

    // Tied to the script: a tick still pending when the script ends never runs.
    void schedule()
    {
        QTimer::singleShot(5, &m_context, [this] { tick(); });
    }

    void tick()
    {
        if (finished() || !m_failure.isEmpty())
            return;
        const Step &step = m_steps[m_next];
        QWidget *target = step.find();
        if (!target) {
            if (m_clock.elapsed() < 30000)
                return schedule();
            m_failure = QStringLiteral("gave up waiting for: ") + step.what;
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget *w : windows)
                w->close();
            return;
        }
        if (++m_next < m_steps.size())
            schedule(); // before the keys: they may open a nested loop
        if (step.action)
            step.action(target);
        for (int key : step.keys)
            QTest::keyClick(target->focusWidget() ? target->focusWidget() : target, Qt::Key(key));
    }

    QObject m_context;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    QString m_failure;
    QElapsedTimer m_clock;
};
