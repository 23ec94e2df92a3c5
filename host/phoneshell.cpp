#include "host/phoneshell.h"

#include "host/autorun.h"
#include "host/hostwindow.h"
#include "host/setuplauncher.h"
#include "host/shellchannel.h"
#include "platform/homescreenchannel.h"

#include <QCoreApplication>

#include <cstdio>

PhoneShell::PhoneShell(HostWindow *window, const QString &pluginLibrary, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_pluginLibrary(pluginLibrary)
    , m_autorun(new Autorun(this))
    , m_launcher(new SetupLauncher(this))
{
    connect(m_window, &HostWindow::settingsRequested, m_launcher, &SetupLauncher::launch);
    connect(m_launcher, &SetupLauncher::started, m_window, &HostWindow::pausePlugin);
    connect(m_launcher, &SetupLauncher::finished, m_window, &HostWindow::resumePlugin);
    connect(m_launcher, &SetupLauncher::finished, this, &PhoneShell::takeFocus);
    connect(m_launcher, &SetupLauncher::failed, m_window, &HostWindow::showNotice);
}

void PhoneShell::takeFocus()
{
    // Without a window manager nobody else gives the home screen the keyboard back.
    m_window->raise();
    m_window->activateWindow();
}

void PhoneShell::start()
{
    // The channel first: the autorun scripts talk to it.
    m_channel = new ShellChannel(this);
    connect(m_channel, &ShellChannel::pluginOnRequested, this, &PhoneShell::pluginOn);
    connect(m_channel, &ShellChannel::pluginOffRequested, this, &PhoneShell::pluginOff);
    connect(m_channel, &ShellChannel::restartRequested, this, &PhoneShell::restart);
    connect(m_channel, &ShellChannel::quitRequested, this, [] { QCoreApplication::exit(0); });
    m_autorun->start();
    takeFocus();
}

void PhoneShell::pluginOn()
{
    if (m_window->isPluginRunning())
        return;
    QString message;
    if (!m_window->startPlugin(m_pluginLibrary, &message)) {
        std::fprintf(stderr, "kestrow-host: %s\n", qPrintable(message));
        return;
    }
    // Started behind the settings application, it waits until that has gone.
    if (m_launcher->isRunning())
        m_window->pausePlugin();
}

void PhoneShell::pluginOff()
{
    m_window->stopPlugin();
}

void PhoneShell::restart()
{
    QCoreApplication::exit(HomeScreenChannel::RestartExitCode);
}
