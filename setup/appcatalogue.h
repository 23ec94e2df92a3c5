#pragma once

#include <QList>
#include <QString>

/** One application of the catalogue, as its registry names it. */
struct CatalogueEntry {
    QString id; // the registry group name
    QString name;
    QString type; // "AppType" as the registry holds it
    QString directory;
    QString icon; // "BigIcon" for preloaded applications, "Icon" for the others
    QString execId;
};

/**
 * The applications of the phone, read from its four registries: the installed
 * applications, those on the memory card, then the preloaded applications in
 * the order the menu folders list them. Nothing is sorted or merged. The
 * registries belong to the phone; the catalogue only reads them.
 */
class AppCatalogue
{
public:
    /**
     * A catalogue never holds more entries than this: registries are files anyone may
     * have written, and one menu folder can name the same application countless times.
     */
    static constexpr int MaxEntries = 10000;

    AppCatalogue() = delete;

    /** Reads the four registries under the device root. */
    static QList<CatalogueEntry> build();

    /** "AppType" as a number: a decimal integer, or 0 for anything else (empty text included). */
    static int typeNumber(const QString &type);
    /** What the launcher is given: the id for types 0, 1 and 3, else the registry's "ExecId". */
    static QString pickedExec(const CatalogueEntry &entry);
    /** The icon file `directory` + "/" + `icon` when it exists, else the bare icon name. */
    static QString pickedIcon(const CatalogueEntry &entry);
    /** The phone path `directory` + "/" + `icon`, whether or not a file is there. */
    static QString iconPath(const CatalogueEntry &entry);
};
