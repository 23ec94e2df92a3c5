#pragma once

// A session bus of the test's own: a dbus-daemon started for the test program and named in
// DBUS_SESSION_BUS_ADDRESS, so that the phone's fixed channel names are never shared with another
// test running at the same time. Create it before anything touches the bus; the programs the test
// starts inherit it.

#include <QByteArray>
#include <QProcess>

class OwnSessionBus
{
public:
    OwnSessionBus()
        : m_oldAddress(qgetenv("DBUS_SESSION_BUS_ADDRESS"))
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
            { QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1") });
        if (!m_daemon.waitForStarted(30000))
            return;
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(30000)) { }
        m_address = m_daemon.readLine().trimmed();
        if (!m_address.isEmpty())
            qputenv("DBUS_SESSION_BUS_ADDRESS", m_address);
    }
    ~OwnSessionBus()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_oldAddress);
        m_daemon.terminate();
        m_daemon.waitForFinished(10000);
    }

    OwnSessionBus(const OwnSessionBus &) = delete;
    OwnSessionBus &operator=(const OwnSessionBus &) = delete;

    bool isValid() const { return !m_address.isEmpty(); }
    QByteArray address() const { return m_address; }

private:
    QProcess m_daemon;
    QByteArray m_oldAddress;
    QByteArray m_address;
};
