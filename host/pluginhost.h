#pragma once

#include "host/hostcontext.h"
#include "host/pluginlibrary.h"

#include <QObject>
#include <QRect>

#include <memory>

/** Runs one plug-in the way the phone's home screen does, from dlopen to destroyInstance. */
class PluginHost : public QObject
{
    Q_OBJECT

public:
    explicit PluginHost(QObject *parent = nullptr);
    ~PluginHost() override;

    /**
     * Opens the library and, when it is switched on, creates, places, initialises,
     * starts and focuses the plug-in on the widget. False with a message otherwise.
     */
    bool run(const QString &libraryPath, QWidget *widget, const QRect &area, QString *message);
    /** Forwards a key press with the phone's key code. */
    void sendKey(int phoneKey);
    void shutdown();
    /** Destroys the plug-in instance and unloads the library. */
    void unload();
    bool isRunning() const { return m_plugin != nullptr; }
    /** The plug-in loses and regains the focus, as when another application comes to the front. */
    void pause();
    void resume();

private:
    PluginLibrary m_library;
    std::unique_ptr<HostContext> m_context;
    HSPlugin *m_plugin = nullptr;
};
