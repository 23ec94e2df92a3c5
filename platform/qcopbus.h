#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

class QDBusConnection;
class QDBusMessage;
class QObject;

/**
 * How channels live on the session bus. A message on a channel is the
 * signal org.kestrow.QCop.Message on the object path
 * "/org/kestrow/QCop/c<hex of the channel's UTF-8 bytes>", carrying the
 * message and its data as byte arrays. A process listening on a channel owns
 * the bus name "org.kestrow.QCop.c<hex>.u<its unique connection name>"; a
 * channel is registered while any such name exists.
 */
class QCopBus
{
public:
    QCopBus() = delete;

    static constexpr const char *interfaceName = "org.kestrow.QCop";
    static constexpr const char *signalName = "Message";

    /** The session bus, or nothing (after one diagnostic line) when there is none. */
    static std::optional<QDBusConnection> connection();

    static QString objectPath(const QString &channel);
    /** The part of every registration name of the channel up to its per-process suffix. */
    static QString registrationPrefix(const QString &channel);

    /** Subscribes the receiver's slot to the channel's messages and registers the channel. */
    static bool addListener(const QString &channel, QObject *receiver, const char *slot);
    static void removeListener(const QString &channel, QObject *receiver, const char *slot);

    static bool isRegistered(const QString &channel);
    /** Calls `changed` whenever a process registers the channel or drops it, while `owner` lives. */
    static void watchRegistration(
        const QString &channel, QObject *owner, const std::function<void()> &changed);
    static bool send(const QString &channel, const QByteArray &message, const QByteArray &data);

    /** The message and data of a bus signal; accepts byte arrays or strings, data optional. */
    static std::optional<std::pair<QByteArray, QByteArray>> decode(const QDBusMessage &signal);

private:
    static QString channelKey(const QString &channel);
    static QString registrationName(const QString &channel, const QDBusConnection &bus);
};
