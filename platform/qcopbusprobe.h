#pragma once

#include <QByteArray>
#include <QString>

/**
 * Whether a bus at a D-Bus address answers at all. Connecting to a bus that
 * accepts the connection but never answers would block without end, so this
 * knocks first: it opens the socket and starts the handshake, and waits at
 * most `timeoutMs` for any answer.
 */
enum class BusKnock {
    Answers, ///< some bus at the address answered
    Silent, ///< a socket is there, but nothing answered in time
    NotProbed, ///< no socket address this can knock on, or none reachable
};

BusKnock knockOnBus(const QByteArray &address, int timeoutMs);
