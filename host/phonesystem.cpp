#include "host/phonesystem.h"

#include "platform/phonechannels.h"
#include "platform/qcopchannel.h"

#include <QDBusConnection>

namespace {

const QString SystemChannel(PhoneChannels::System);
const QString IdleFocusChannel(PhoneChannels::IdleFocus);

} // namespace

PhoneSystem::PhoneSystem(QObject *parent)
    : QObject(parent)
    , m_system(new QCopChannel(SystemChannel, this))
    , m_idleFocus(new QCopChannel(IdleFocusChannel, this))
{
    watchScreenSaver();
}

void PhoneSystem::watchScreenSaver()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Desktops announce the lock on one of these two paths; any sender will do.
    for (const QString &path :
        { QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver") }) {
        bus.connect(QString(), path, QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("ActiveChanged"), this, SLOT(screenSaverActiveChanged(bool)));
    }
}

void PhoneSystem::screenSaverActiveChanged(bool active)
{
    setDisplayOn(!active);
}

void PhoneSystem::setDisplayOn(bool on)
{
    if (on == m_displayOn)
        return;
    m_displayOn = on;
    QCopChannel::send(SystemChannel, QByteArray(on ? PhoneChannels::LcdOn : PhoneChannels::LcdOff));
    Q_EMIT displayChanged(on);
}

void PhoneSystem::restoreBacklight()
{
    QCopChannel::send(SystemChannel, QByteArray(PhoneChannels::BacklightRestored));
}

void PhoneSystem::setIdleFocus(bool in)
{
    if (in == m_idleFocusIn)
        return;
    m_idleFocusIn = in;
    QCopChannel::send(
        IdleFocusChannel, QByteArray(in ? PhoneChannels::IdleFocusIn : PhoneChannels::IdleFocusOut));
}

void PhoneSystem::requestReload()
{
    PhoneChannels::sendReload();
}
