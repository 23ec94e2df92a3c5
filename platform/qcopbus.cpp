#include "platform/qcopbus.h"

#include "platform/qcopbusprobe.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QHash>
#include <QStringList>
#include <QVariant>

namespace {

// Every blocking call on the bus gives up after this long, so a stuck bus
// cannot freeze the caller's event loop for good.
constexpr int callTimeoutMs = 3000;

// A bus name holds at most 255 characters; longer channel names are keyed by
// their digest there (the object path always carries the whole name).
constexpr int longestHexChannel = 100;

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");

QHash<QString, int> &listenerCounts()
{
    static QHash<QString, int> counts;
    return counts;
}

void reportOnce(const QString &line)
{
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    qWarning("%s", qPrintable(line));
}

QDBusMessage busCall(const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(busService, busPath, busService, method);
    call.setArguments(arguments);
    return call;
}

std::optional<QByteArray> bytesOf(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QByteArray>())
        return value.toByteArray();
    if (value.metaType() == QMetaType::fromType<QString>())
        return value.toString().toUtf8();
    return std::nullopt;
}

} // namespace

std::optional<QDBusConnection> QCopBus::connection()
{
    // Without an address there is no session bus to talk to; trying anyway
    // would let the bus library start a private one behind the user's back.
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty()) {
        reportOnce(
            QStringLiteral("QCop: no session bus (DBUS_SESSION_BUS_ADDRESS is unset), channels are off"));
        return std::nullopt;
    }
    static const BusKnock knocked = knockOnBus(address, callTimeoutMs);
    if (knocked == BusKnock::Silent) {
        reportOnce(QStringLiteral("QCop: no session bus at %1 (no answer within %2 ms), channels are off")
                       .arg(QString::fromLocal8Bit(address))
                       .arg(callTimeoutMs));
        return std::nullopt;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        QString reason = bus.lastError().message();
        if (reason.isEmpty())
            reason = QStringLiteral("not connected");
        reportOnce(QStringLiteral("QCop: no session bus at %1 (%2), channels are off")
                       .arg(QString::fromLocal8Bit(address), reason));
        return std::nullopt;
    }
    return bus;
}

QString QCopBus::channelKey(const QString &channel)
{
    const QByteArray utf8 = channel.toUtf8();
    if (utf8.size() <= longestHexChannel)
        return QLatin1Char('c') + QString::fromLatin1(utf8.toHex());
    return QLatin1Char('h')
        + QString::fromLatin1(QCryptographicHash::hash(utf8, QCryptographicHash::Sha256).toHex());
}

QString QCopBus::objectPath(const QString &channel)
{
    return QStringLiteral("/org/kestrow/QCop/c") + QString::fromLatin1(channel.toUtf8().toHex());
}

QString QCopBus::registrationPrefix(const QString &channel)
{
    return QLatin1String(interfaceName) + QLatin1Char('.') + channelKey(channel) + QLatin1Char('.');
}

QString QCopBus::registrationName(const QString &channel, const QDBusConnection &bus)
{
    // The unique connection name (":1.42") keeps names of different processes
    // apart even where process ids repeat; ':' and '.' are not allowed in an
    // element of a bus name.
    QString unique = bus.baseService();
    unique.remove(QLatin1Char(':'));
    unique.replace(QLatin1Char('.'), QLatin1Char('_'));
    return registrationPrefix(channel) + QLatin1Char('u') + unique;
}

bool QCopBus::addListener(const QString &channel, QObject *receiver, const char *slot)
{
    std::optional<QDBusConnection> bus = connection();
    if (!bus)
        return false;
    if (!bus->connect(QString(), objectPath(channel), QLatin1String(interfaceName), QLatin1String(signalName),
            receiver, slot)) {
        qWarning("QCop: cannot listen on channel %s: %s", qPrintable(channel),
            qPrintable(bus->lastError().message()));
        return false;
    }
    // The subscription above reaches the bus before this request, so whoever
    // sees the name can already reach the listener.
    if (listenerCounts()[channel]++ == 0) {
        const QVariantList arguments { registrationName(channel, *bus), 4u /* do not queue */ };
        bus->send(busCall(QStringLiteral("RequestName"), arguments));
    }
    return true;
}

void QCopBus::removeListener(const QString &channel, QObject *receiver, const char *slot)
{
    std::optional<QDBusConnection> bus = connection();
    if (!bus)
        return;
    bus->disconnect(QString(), objectPath(channel), QLatin1String(interfaceName), QLatin1String(signalName),
        receiver, slot);
    auto count = listenerCounts().find(channel);
    if (count == listenerCounts().end() || --*count > 0)
        return;
    listenerCounts().erase(count);
    bus->send(busCall(QStringLiteral("ReleaseName"), { registrationName(channel, *bus) }));
}

void QCopBus::watchRegistration(const QString &channel, QObject *owner, const std::function<void()> &changed)
{
    std::optional<QDBusConnection> bus = connection();
    if (!bus)
        return;
    // Every process's registration name of the channel lies in the bus name namespace of its prefix;
    // the watcher takes a namespace as its name followed by "*".
    auto *watcher = new QDBusServiceWatcher(registrationPrefix(channel).chopped(1) + QLatin1Char('*'), *bus,
        QDBusServiceWatcher::WatchForOwnerChange, owner);
    QObject::connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, owner, [changed] { changed(); });
}

bool QCopBus::isRegistered(const QString &channel)
{
    std::optional<QDBusConnection> bus = connection();
    if (!bus)
        return false;
    const QDBusMessage reply = bus->call(busCall(QStringLiteral("ListNames")), QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qWarning("QCop: cannot ask the bus about channel %s: %s", qPrintable(channel),
            qPrintable(reply.errorMessage()));
        return false;
    }
    const QString prefix = registrationPrefix(channel);
    const QStringList names = reply.arguments().constFirst().toStringList();
    return std::any_of(
        names.cbegin(), names.cend(), [&](const QString &name) { return name.startsWith(prefix); });
}

bool QCopBus::send(const QString &channel, const QByteArray &message, const QByteArray &data)
{
    std::optional<QDBusConnection> bus = connection();
    if (!bus)
        return false;
    QDBusMessage signal = QDBusMessage::createSignal(
        objectPath(channel), QLatin1String(interfaceName), QLatin1String(signalName));
    signal << message << data;
    if (!bus->send(signal)) {
        qWarning("QCop: message to channel %s not sent: %s", qPrintable(channel),
            qPrintable(bus->lastError().message()));
        return false;
    }
    // The bus answers in order: once this reply is back, the signal has been
    // handed on, even if the sender exits right away.
    const QDBusMessage reply = bus->call(busCall(QStringLiteral("GetId")), QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qWarning("QCop: message to channel %s not confirmed by the bus: %s", qPrintable(channel),
            qPrintable(reply.errorMessage()));
        return false;
    }
    return true;
}

std::optional<std::pair<QByteArray, QByteArray>> QCopBus::decode(const QDBusMessage &signal)
{
    const QVariantList arguments = signal.arguments();
    if (arguments.isEmpty() || arguments.size() > 2)
        return std::nullopt;
    const std::optional<QByteArray> message = bytesOf(arguments.at(0));
    const std::optional<QByteArray> data = arguments.size() == 2 ? bytesOf(arguments.at(1)) : QByteArray();
    if (!message || !data)
        return std::nullopt;
    return std::make_pair(*message, *data);
}
