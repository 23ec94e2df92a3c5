#pragma once

#include "data/skinmodel.h"

#include <QString>
#include <QStringList>

class RES_ICON_Reader;

/** Which of the two frames a skin is loaded and painted for: the home screen's, or the settings
 * application's preview. */
enum class FrameComposition { Plugin, Preview };

/**
 * How a skin is loaded and painted: the plug-in's way by default, or the preview's way as one
 * choice (no frame cover, no dock slot names, no dock focus, the preview's composition).
 */
struct SkinLoadOptions {
    /** The preview's way for the skin of that directory name; [Main] Skin is not consulted. */
    static SkinLoadOptions preview(const QString &skinName);

    /** The skin's directory name under the skin root; empty for the plug-in: [Main] Skin. */
    QString skinName;
    /** The frame the skin is loaded for; the renderer composes the same one. */
    FrameComposition composition = FrameComposition::Plugin;
    /** Platform icons for dock slots named by resource; nullptr: a reader of the loader's own. */
    const RES_ICON_Reader *iconReader = nullptr;

    bool isPreview() const { return composition == FrameComposition::Preview; }
    /** The preview has no frame cover and shows no dock slot names. */
    bool readsFrameCover() const { return !isPreview(); }
    bool readsSlotNames() const { return !isPreview(); }
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
    /** What the loader says of a skin name that skinDirectory() refuses. */
    static QString refusedName(const QString &name);
};
