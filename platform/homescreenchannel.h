#pragma once

#include "platform/devicepath.h"

#include <QDir>
#include <QFileInfo>
#include <QLatin1StringView>
#include <QString>

/**
 * The desktop home screen's own channel: one per device root, so that the
 * settings application and its scripts reach the home screen of their root and
 * no other. The shell scripts spell the name the same way:
 * "/Kestrow/HomeScreen" followed by the device root with its links resolved
 * ("/" when there is none), as `cd "$KESTROW_ROOT" && pwd -P` prints it.
 */
namespace HomeScreenChannel {

inline constexpr QLatin1StringView Prefix { "/Kestrow/HomeScreen" };

/** Load and start the plug-in, unless it runs already. */
inline constexpr char PluginOn[] = "PluginOn()";
/** Destroy the plug-in instance and unload its library. */
inline constexpr char PluginOff[] = "PluginOff()";
/** End the home screen so that whatever started it starts it again. */
inline constexpr char Restart[] = "Restart()";
/** End the home screen for good, as its Esc key does. */
inline constexpr char Quit[] = "Quit()";

/** The home screen's exit status when it ends to be started again (Esc ends it with 0). */
inline constexpr int RestartExitCode = 75;

/** The device root as the scripts see it: links resolved, "/" for the phone itself. */
inline QString resolvedRoot()
{
    const QString root = deviceRoot();
    if (root.isEmpty())
        return QStringLiteral("/");
    const QString resolved = QFileInfo(root).canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(QDir(root).absolutePath()) : resolved;
}

/** The channel of the home screen of the current device root. */
inline QString name()
{
    return Prefix + resolvedRoot();
}

} // namespace HomeScreenChannel

/**
 * The settings application's channel: one per device root as well, so that a
 * second start of the application asks the first to come to the front.
 */
namespace SetupChannel {

inline constexpr QLatin1StringView Prefix { "/Kestrow/Setup" };
/** Bring the front window of the running settings application to the front. */
inline constexpr char Raise[] = "Raise()";

inline QString name()
{
    return Prefix + HomeScreenChannel::resolvedRoot();
}

} // namespace SetupChannel
