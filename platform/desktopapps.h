#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/**
 * Whether an application id is one of Kestrow's own programs: the home screen's and the settings
 * application's desktop entries ("kestrow-host.desktop") and the settings application's registry
 * group ("kestrow-setup"). They are never offered for a dock slot: a second home screen or
 * settings application on the same device root would fight the first.
 */
inline bool isKestrowApplication(const QString &id)
{
    return id.startsWith(QLatin1String("kestrow-"));
}

/**
 * Ids of desktop entries installed on this machine, Kestrow's own left out, that can be shown and
 * launched ("org.example.Editor.desktop"), in a stable order, at most `limit`.
 */
QStringList desktopApplicationIds(int limit);
/**
 * The same, only of entries that start as they are from a home screen: no terminal needed and their
 * program found on the PATH. The default dock slots are filled from these.
 */
QStringList desktopApplicationIdsWithoutTerminal(int limit);

/** One desktop entry of this machine as the phone's registries describe an application. */
struct DesktopApp {
    QString id; // the desktop file id, "org.example.Editor.desktop"
    QString name;
    QString iconName; // a name of the icon theme, or empty
    QString iconFile; // an absolute image path when the entry names a file, or empty
    QStringList categories;
    bool terminal = false; // runs in a terminal emulator ("Terminal=true")
};

/** The entries of desktopApplicationIds(limit), with their names, icons and categories, in the same order. */
QList<DesktopApp> desktopApplications(int limit);
