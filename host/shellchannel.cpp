#include "host/shellchannel.h"

#include "platform/homescreenchannel.h"
#include "platform/qcopchannel.h"

ShellChannel::ShellChannel(QObject *parent)
    : QObject(parent)
    , m_channel(new QCopChannel(HomeScreenChannel::name(), this))
{
    connect(m_channel, &QCopChannel::received, this, [this](const QByteArray &message) { handle(message); });
}

QString ShellChannel::name() const
{
    return m_channel->channel();
}

void ShellChannel::handle(const QByteArray &message)
{
    if (message == HomeScreenChannel::PluginOn)
        Q_EMIT pluginOnRequested();
    else if (message == HomeScreenChannel::PluginOff)
        Q_EMIT pluginOffRequested();
    else if (message == HomeScreenChannel::Restart)
        Q_EMIT restartRequested();
    else if (message == HomeScreenChannel::Quit)
        Q_EMIT quitRequested();
}
