#include "plugin/reloadrequests.h"

#include <algorithm>

ReloadRequests::ReloadRequests(int intervalMs, QObject *parent)
    : QObject(parent)
    , m_intervalMs(intervalMs)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ReloadRequests::carryOut);
}

void ReloadRequests::request()
{
    if (m_timer.isActive())
        return; // the waiting reload will read what this request wanted read
    const qint64 since = m_sinceLast.isValid() ? m_sinceLast.elapsed() : m_intervalMs;
    m_timer.start(int(std::max<qint64>(0, m_intervalMs - since)));
}

void ReloadRequests::carryOut()
{
    m_sinceLast.start();
    ++m_carriedOut;
    Q_EMIT reloadDue();
}
