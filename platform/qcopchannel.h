#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QDBusMessage;

/**
 * A named message channel shared by every process on the session bus.
 *
 * While at least one QCopChannel on a channel name exists, in any process,
 * the channel counts as registered. A message sent on a channel reaches every
 * QCopChannel on it, in every process, the sender's own included, through the
 * signal received(). Without a session bus no channel is registered and
 * nothing is delivered; one diagnostic line says why.
 */
class QCopChannel : public QObject
{
    Q_OBJECT

public:
    explicit QCopChannel(const QString &channel, QObject *parent = nullptr);
    ~QCopChannel() override;

    QCopChannel(const QCopChannel &) = delete;
    QCopChannel &operator=(const QCopChannel &) = delete;

    QString channel() const;

    /** Whether some QCopChannel on the channel exists in any process on the bus. */
    static bool isRegistered(const QString &channel);
    /**
     * Sends a message with its data bytes to every QCopChannel on the channel.
     * True once the bus has taken the message; false without a bus.
     */
    static bool send(
        const QString &channel, const QByteArray &message, const QByteArray &data = QByteArray());

Q_SIGNALS:
    void received(const QByteArray &message, const QByteArray &data);

private Q_SLOTS:
    void handleBusMessage(const QDBusMessage &message);

private:
    QString m_channel;
    bool m_listening = false;
};
