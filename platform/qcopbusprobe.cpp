#include "platform/qcopbusprobe.h"

#include <QList>

#include <cerrno>
#include <cstring>
#include <optional>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The socket of one "unix:path=..." or "unix:abstract=..." entry of an address.
std::optional<sockaddr_un> unixSocketOf(const QByteArray &entry, socklen_t *length)
{
    if (!entry.startsWith("unix:"))
        return std::nullopt;
    for (const QByteArray &pair : entry.mid(5).split(',')) {
        const qsizetype equals = pair.indexOf('=');
        const QByteArray key = pair.left(equals);
        if (equals < 0 || (key != "path" && key != "abstract"))
            continue;
        const QByteArray value = QByteArray::fromPercentEncoding(pair.mid(equals + 1));
        sockaddr_un socketAddress {};
        socketAddress.sun_family = AF_UNIX;
        const bool abstract = key == "abstract";
        const qsizetype room = qsizetype(sizeof(socketAddress.sun_path)) - 1;
        if (value.isEmpty() || value.size() > room)
            return std::nullopt;
        std::memcpy(socketAddress.sun_path + (abstract ? 1 : 0), value.constData(), size_t(value.size()));
        *length = socklen_t(offsetof(sockaddr_un, sun_path) + (abstract ? 1 : 0) + value.size());
        return socketAddress;
    }
    return std::nullopt;
}

bool waitFor(int fd, short events, int timeoutMs)
{
    pollfd polled { fd, events, 0 };
    int ready = 0;
    do {
        ready = ::poll(&polled, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

BusKnock knock(const sockaddr_un &socketAddress, socklen_t length, int timeoutMs)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return BusKnock::NotProbed;
    BusKnock result = BusKnock::NotProbed;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&socketAddress), length) == 0) {
        // The handshake opens with a zero byte; any bus answers AUTH with a list of mechanisms.
        static const char hello[] = "\0AUTH\r\n";
        const ssize_t written = ::send(fd, hello, sizeof(hello) - 1, MSG_NOSIGNAL);
        char answer[64];
        if (written == ssize_t(sizeof(hello) - 1) && waitFor(fd, POLLIN, timeoutMs))
            result = ::recv(fd, answer, sizeof(answer), 0) > 0 ? BusKnock::Answers : BusKnock::NotProbed;
        else if (written >= 0)
            result = BusKnock::Silent;
    } else if (errno == EAGAIN) {
        // A full queue of waiting connections: whoever listens there takes none.
        result = BusKnock::Silent;
    }
    ::close(fd);
    return result;
}

} // namespace

BusKnock knockOnBus(const QByteArray &address, int timeoutMs)
{
    // Like the bus library, take the entries in order and stop at the first
    // one that lets us connect.
    for (const QByteArray &entry : address.split(';')) {
        socklen_t length = 0;
        const std::optional<sockaddr_un> socketAddress = unixSocketOf(entry, &length);
        if (!socketAddress)
            return BusKnock::NotProbed;
        const BusKnock result = knock(*socketAddress, length, timeoutMs);
        if (result != BusKnock::NotProbed)
            return result;
    }
    return BusKnock::NotProbed;
}
