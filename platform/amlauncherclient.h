#pragma once

#include <QString>

/**
 * The platform's application launcher. Every launch is written to the launch
 * log "/ezxlocal/Kestrow/run/launches.log" under the device root. An id that
 * names an application of the installed-applications registry starts its
 * program ("Directory" + "/" + "ExecId", under the device root); otherwise an
 * id that names a desktop entry of this machine starts that application; any
 * other id is logged as not found and nothing runs. Launching returns at once
 * and never passes the id to a shell.
 */
class AM_LauncherClient
{
public:
    /** Who asks for the launch; the home screen passes 0. */
    enum AM_LAUNCHER_INITIATOR_T { AM_LAUNCHER_INITIATOR_DEFAULT = 0 };

    /** Results of launchAppObject. */
    enum LaunchResult { Started = 0, NotFound = 1, Failed = 2 };

    AM_LauncherClient() = delete;

    /** Logs and launches the application `id`; returns a LaunchResult. */
    static int launchAppObject(QString const &id, QString const &arg,
        AM_LauncherClient::AM_LAUNCHER_INITIATOR_T initiator, bool, bool);
    /** The same with the initiator as a plain number, as callers write it. */
    static int launchAppObject(QString const &id, QString const &arg, int initiator, bool first, bool second);

    /** The phone path of the launch log. */
    static QString launchLogPath();
};
