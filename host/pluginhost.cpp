#include "host/pluginhost.h"

PluginHost::PluginHost(QObject *parent)
    : QObject(parent)
{ }

PluginHost::~PluginHost()
{
    shutdown();
}

bool PluginHost::run(const QString &libraryPath, QWidget *widget, const QRect &area, QString *message)
{
    if (m_plugin)
        return true;
    if (!m_library.open(libraryPath)) {
        *message = QStringLiteral("cannot load the plug-in %1: %2").arg(libraryPath, m_library.errorString());
        return false;
    }
    if (!m_library.isActivated()) {
        *message = QStringLiteral("the plug-in is switched off ([Main] Activated is false): not created");
        return false;
    }
    m_context = std::make_unique<HostContext>(widget);
    m_plugin = m_library.createInstance(m_context.get());
    if (!m_plugin) {
        *message = QStringLiteral("the plug-in created no instance");
        return false;
    }
    widget->setGeometry(m_plugin->getPluginGeometry(area));
    m_plugin->initialize();
    m_plugin->start();
    m_plugin->focusIn();
    return true;
}

void PluginHost::sendKey(int phoneKey)
{
    if (!m_plugin)
        return;
    HSFrameworkType::HSEvent event;
    event.value = 1;
    m_plugin->handleEvent(event, phoneKey);
}

void PluginHost::shutdown()
{
    if (m_plugin) {
        m_library.destroyInstance(m_plugin);
        m_plugin = nullptr;
    }
}

void PluginHost::unload()
{
    shutdown();
    m_context.reset();
    m_library.close();
}

void PluginHost::pause()
{
    if (!m_plugin)
        return;
    QPoint point;
    m_plugin->focusOut(point, QStringLiteral("application"));
}

void PluginHost::resume()
{
    if (m_plugin)
        m_plugin->focusIn();
}
