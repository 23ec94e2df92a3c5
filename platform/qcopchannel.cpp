#include "platform/qcopchannel.h"

#include "platform/qcopbus.h"

#include <QDBusMessage>

QCopChannel::QCopChannel(const QString &channel, QObject *parent)
    : QObject(parent)
    , m_channel(channel)
{
    m_listening = QCopBus::addListener(m_channel, this, SLOT(handleBusMessage(QDBusMessage)));
}

QCopChannel::~QCopChannel()
{
    if (m_listening)
        QCopBus::removeListener(m_channel, this, SLOT(handleBusMessage(QDBusMessage)));
}

QString QCopChannel::channel() const
{
    return m_channel;
}

bool QCopChannel::isRegistered(const QString &channel)
{
    return QCopBus::isRegistered(channel);
}

bool QCopChannel::send(const QString &channel, const QByteArray &message, const QByteArray &data)
{
    return QCopBus::send(channel, message, data);
}

void QCopChannel::handleBusMessage(const QDBusMessage &message)
{
    // Foreign clients may send anything on the path; what is not a message
    // with optional data is dropped rather than half understood.
    const auto decoded = QCopBus::decode(message);
    if (decoded)
        Q_EMIT received(decoded->first, decoded->second);
}
