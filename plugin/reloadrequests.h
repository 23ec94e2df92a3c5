#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

/**
 * Collapses requests to reload the settings and the skin. The first request is
 * carried out on the next turn of the event loop; requests that arrive while
 * one is waiting, or less than one interval after the last reload began, all
 * become one reload after it. However fast a sender pours requests in, they
 * cost at most one reload per interval (a burst: at most two), and the frames
 * in between go on.
 */
class ReloadRequests : public QObject
{
    Q_OBJECT

public:
    explicit ReloadRequests(int intervalMs, QObject *parent = nullptr);

    void request();
    /** A reload has been asked for and not yet carried out. */
    bool isPending() const { return m_timer.isActive(); }
    /** Reloads carried out so far. */
    int carriedOut() const { return m_carriedOut; }

Q_SIGNALS:
    /** Time to reload; emitted once for all the requests since the last one. */
    void reloadDue();

private:
    void carryOut();

    const int m_intervalMs;
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    int m_carriedOut = 0;
};
