#pragma once

#include "platform/phonepaths.h"

#include <QLatin1StringView>
#include <QList>
#include <QString>

/**
 * One installed skin as the skin chooser lists it: its [General] Author and
 * SkinName and the name of its folder under the skin root.
 */
struct SkinEntry {
    /** The skin root, a phone path. */
    static constexpr QLatin1StringView Root = PhonePaths::SkinFolder;

    QString author;
    QString skinName;
    QString dirName;

    /**
     * Lists the installed skins into `entries`: the skin root's folders (no symbolic links, no
     * hidden names, none whose name the skin loader refuses) in case-sensitive character-code order, each one
     * whose "skin.cfg" names a skin or an author. Writes "cur cfg is <path>" for every folder it looks into.
     * When the skin root cannot be read, `entries` keeps what it held and the result is false.
     */
    static bool scan(QList<SkinEntry> &entries);
    /** True while the folder still holds a "skin.cfg" and its name is one the skin loader accepts. */
    static bool isUsable(const QString &dirName);
};
