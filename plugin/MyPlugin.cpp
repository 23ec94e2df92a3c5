#include "plugin/MyPlugin.h"

#include "data/settingsfile.h"
#include "data/skinloader.h"
#include "platform/amlauncherclient.h"
#include "platform/devicepath.h"
#include "platform/phonechannels.h"
#include "platform/phonekeys.h"
#include "platform/phonepaths.h"
#include "platform/qcopchannel.h"
#include "platform/setupsetmanager.h"
#include "platform/utilstatus.h"
#include "platform/zconfig.h"
#include "plugin/reloadrequests.h"

#include <QDebug>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

const QString NaviGroup = QStringLiteral("NaviKeyPlugin");

void launch(const QString &id)
{
    AM_LauncherClient::launchAppObject(
        id, QString(), AM_LauncherClient::AM_LAUNCHER_INITIATOR_T(0), true, true);
}

/** The application the phone assigns to a navigation key ("ShortcutID1" to "ShortcutID4"). */
QString shortcut(int number)
{
    const ZConfig idle(devicePath(PhonePaths::IdleSettings));
    return idle.readEntry(NaviGroup, QStringLiteral("ShortcutID%1").arg(number), QString());
}

/** Load problems are for whoever asked for them (KESTROW_DIAGNOSTICS=1): the plug-in itself reports nothing.
 */
bool diagnosticsWanted()
{
    return qEnvironmentVariableIntValue("KESTROW_DIAGNOSTICS") == 1;
}

} // namespace

MyPluginClass::MyPluginClass(HSPluginContext *context)
    : QObject(nullptr)
    , m_context(context)
    , m_renderer(m_model)
{
    if (m_context)
        m_widget = m_context->takePluginWidget();
    // The timer belongs to the widget; without one it belongs to the plug-in, so it never leaks.
    m_timer = new QTimer(m_widget ? static_cast<QObject *>(m_widget.data()) : this);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, qOverload<>(&MyPluginClass::timerEvent));
    m_reloads = new ReloadRequests(m_period, this);
    connect(m_reloads, &ReloadRequests::reloadDue, this, &MyPluginClass::plugin_init);
    if (m_widget)
        m_widget->installEventFilter(this);
    m_renderer.setComposition(FrameComposition::Plugin);
    m_renderer.setBatterySource(&UTIL_GetBatteryLevel);
    m_renderer.setSignalSource(&UTIL_GetSignalQuality);
}

MyPluginClass::~MyPluginClass()
{
    if (m_widget) {
        m_widget->removeEventFilter(this);
        // The widget outlives us and keeps the timer; it must not tick into a dead object.
        if (m_timer && m_timer->parent() == m_widget) {
            m_timer->stop();
            m_timer->disconnect(this);
        }
    }
}

void MyPluginClass::initialize()
{
    plugin_init();
    const QString system(PhoneChannels::System);
    const QString idleFocus(PhoneChannels::IdleFocus);
    if (QCopChannel::isRegistered(system))
        listenTo(system);
    if (QCopChannel::isRegistered(idleFocus))
        listenTo(idleFocus);
    listenTo(QString(PhoneChannels::Plugin));
}

void MyPluginClass::listenTo(const QString &channel)
{
    auto *qcop = new QCopChannel(channel, this);
    connect(qcop, &QCopChannel::received, this, &MyPluginClass::slotSystemMessage);
}

void MyPluginClass::plugin_init()
{
    SkinLoadOptions options;
    options.iconReader = &m_icons;
    // Said once a load (start and each reload), not every frame.
    const SkinLoadReport report = SkinLoader::load(m_model, options);
    if (diagnosticsWanted()) {
        for (const QString &problem : report.problems)
            qWarning("skin: %s", qUtf8Printable(problem));
    }
    m_focusIndex = -1;
    m_renderer.forgetLevels();
    m_loaded = true;
}

void MyPluginClass::start()
{
    m_started = true;
    if (!m_timer->isActive())
        m_timer->start(m_period);
}

void MyPluginClass::stop()
{
    if (m_timer->isActive())
        m_timer->stop();
}

QString MyPluginClass::getDisplayName() const
{
    return QStringLiteral("Kestrow");
}

QRect MyPluginClass::getPluginGeometry(QRect const &offered)
{
    return offered;
}

void MyPluginClass::focusIn()
{
    m_focusIndex = -1;
    timerEvent();
    start();
}

void MyPluginClass::focusIn(int reason, QPoint &point)
{
    Q_UNUSED(reason)
    Q_UNUSED(point)
    focusIn();
}

void MyPluginClass::focusOut(QPoint &point, QString const &reason)
{
    Q_UNUSED(point)
    Q_UNUSED(reason)
    m_focusIndex = -1;
    stop();
}

QPoint MyPluginClass::getFocusPoint() const
{
    return QPoint(1, 1);
}

void MyPluginClass::notifyPluginStateChanged(HSFrameworkType::HSPluginTransState state, QString const &info)
{
    Q_UNUSED(state)
    Q_UNUSED(info)
}

void MyPluginClass::setObscured(bool obscured)
{
    Q_UNUSED(obscured)
}

void MyPluginClass::timerEvent()
{
    // Before the first load the model holds no skin: there is nothing to paint.
    if (!m_loaded)
        return;
    m_renderer.setFocusIndex(m_focusIndex);
    m_renderer.paintFrame();
    // Only what changed goes to the screen; a tick that changed nothing shows nothing new.
    if (m_widget && !m_renderer.changedRegion().isEmpty())
        m_widget->repaint(m_renderer.changedRegion());
}

bool MyPluginClass::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_widget || event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    const QImage &frame = m_renderer.frame();
    if (!frame.isNull()) {
        QPainter painter(m_widget);
        for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
            painter.drawImage(rect.topLeft(), frame, rect);
    }
    // The widget's own painting follows (a host may want to know a frame reached the screen).
    return false;
}

void MyPluginClass::slotSystemMessage(const QByteArray &message, const QByteArray &data)
{
    Q_UNUSED(data)
    if (!m_started || message.isNull())
        return;
    using namespace PhoneChannels;
    if (message == LcdOn || message == BacklightRestored || message == IdleFocusIn) {
        m_focusIndex = -1;
        timerEvent();
        start();
    } else if (message == LcdOff || message == IdleFocusOut) {
        m_focusIndex = -1;
        stop();
    } else if (message == Reload) {
        // The plug-in runs from now on; the load itself is shared with any requests that follow
        // (a flood of them costs at most two loads).
        m_focusIndex = -1;
        start();
        m_reloads->request();
    }
}

void MyPluginClass::handleEvent(HSFrameworkType::HSEvent const &event, int key)
{
    if (event.value != PhoneKeys::KeyPressEvent)
        return;
    const bool dock = m_loaded && m_model.dock.show;
    switch (key) {
    case PhoneKeys::Select:
        if (dock && m_focusIndex != -1)
            launchFocusedSlot();
        break;
    case PhoneKeys::Down:
        launch(shortcut(1));
        break;
    case PhoneKeys::Right:
        if (dock)
            moveFocusRight();
        else
            launch(shortcut(2));
        break;
    case PhoneKeys::Up:
        launch(shortcut(3));
        break;
    case PhoneKeys::Left:
        if (dock)
            moveFocusLeft();
        else
            launch(shortcut(4));
        break;
    default:
        break;
    }
}

void MyPluginClass::moveFocusRight()
{
    const int num = m_model.dock.num;
    // A dock without slots has nothing to focus.
    if (num < 1)
        return;
    m_focusIndex = m_focusIndex < num - 1 ? m_focusIndex + 1 : 0;
    timerEvent();
}

void MyPluginClass::moveFocusLeft()
{
    const int num = m_model.dock.num;
    if (num < 1)
        return;
    int &focus = m_focusIndex;
    if (focus < 0)
        focus = num - 1;
    else if (focus < num)
        focus = focus - 1;
    else
        focus = num - 1;
    timerEvent();
}

void MyPluginClass::launchFocusedSlot()
{
    const ZConfig settings(devicePath(SettingsFile::Path));
    launch(settings.readEntry(
        SettingsFile::DockGroup, SettingsFile::slotKey(SettingsFile::ExecKey, m_focusIndex), QString()));
}

void MyPluginClass::GetDayOf(tagDate &date, QString &text)
{
    m_lunar.GetDayOf(date, text);
}

extern "C" {

__attribute__((visibility("default"))) HSPlugin *createInstance(HSPluginContext *context)
{
    return new MyPluginClass(context);
}

__attribute__((visibility("default"))) void destroyInstance(HSPlugin *plugin)
{
    delete plugin;
}

__attribute__((visibility("default"))) bool isActivated()
{
    SETUP_SET_Manager manager(devicePath(SettingsFile::Path), false);
    bool activated = true;
    manager.getSettingInfo(
        SettingsFile::MainGroup, SettingsFile::ActivatedKey, activated, SettingsFile::DefaultActivated);
    return activated;
}

__attribute__((visibility("default"))) bool isUserRemovable()
{
    return true;
}

} // extern "C"
