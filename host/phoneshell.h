#pragma once

#include <QObject>
#include <QString>

class Autorun;
class HostWindow;
class SetupLauncher;
class ShellChannel;

/**
 * What makes the home screen the phone's shell: at start it runs the device
 * root's autorun scripts (one of which loads the plug-in); on its channel it
 * loads or unloads the plug-in and ends for a restart; it starts the settings
 * application and pauses the plug-in while that is in front.
 */
class PhoneShell : public QObject
{
    Q_OBJECT

public:
    PhoneShell(HostWindow *window, const QString &pluginLibrary, QObject *parent = nullptr);

    /** Opens the channel, runs the autorun scripts and takes the keyboard focus (call after show). */
    void start();

private:
    void pluginOn();
    void pluginOff();
    void restart();
    void takeFocus();

    HostWindow *m_window;
    QString m_pluginLibrary;
    ShellChannel *m_channel = nullptr;
    Autorun *m_autorun;
    SetupLauncher *m_launcher;
};
