#pragma once

#include "data/skinmodel.h"

#include <QString>
#include <QStringList>

class RES_ICON_Reader;

/** How a skin is loaded: the plug-in's way by default, the preview's by its options. */
struct SkinLoadOptions {
    /** The skin's directory name under the skin root; empty: [Main] Skin of the settings file. */
    QString skinName;
    /** The preview has no frame cover. */
    bool frameCover = true;
    /** The preview shows no dock slot names. */
    bool slotNames = true;
    /** Platform icons for dock slots named by resource; nullptr: a reader of the loader's own. */
    const RES_ICON_Reader *iconReader = nullptr;
};

/** What a load found wrong: one line per reason, for tools that show them. */
struct SkinLoadReport {
    QString skinDirectory;
    QStringList problems;
};

/**
 * Reads the settings file, the skin's "skin.cfg" and the platform's display
 * files into a skin model. Missing files, groups, keys and images give their
 * defaults; nothing in a skin can make it fail.
 */
class SkinLoader
{
public:
    static SkinLoadReport load(SkinModel &model, const SkinLoadOptions &options = {});

    /** "/ezxlocal/Kestrow/skin/" under the device root. */
    static QString skinRoot();
    /**
     * The directory of a skin by name, with a final "/"; empty when the name is not one plain
     * path component.
     */
    static QString skinDirectory(const QString &name);
};
