#pragma once

#include <QString>
#include <QStringList>

/**
 * A skin package, a ".kskin" file: a ZIP archive whose entries all stand under one top folder named
 * after the skin, with that folder's "skin.cfg" in it. Reading trusts nothing the archive says: every
 * entry name, type and byte is checked as it comes, and the bytes are counted as they are unpacked.
 */
class SkinPackage
{
public:
    /** More entries than any skin needs: a package beyond this is refused. */
    static constexpr int MaxEntries = 1000;
    /** More unpacked bytes, in all, than any skin needs; counted while unpacking. */
    static constexpr qint64 MaxUnpackedBytes = qint64(64) << 20;

    /** Whether @p name may be a package's top folder: a skin name the loader reads, and not hidden. */
    static bool isTopFolderName(const QString &name);

    /**
     * Writes the regular files @p files (paths relative to @p folder) under the top folder @p name
     * into @p file, which is replaced whole or left as it was. Empty on success, else why not.
     */
    static QString write(
        const QString &file, const QString &folder, const QString &name, const QStringList &files);

    /**
     * Unpacks @p file into the empty folder @p into: the top folder's contents go straight into it,
     * regular files and folders only, and @p name receives the top folder's name. Empty on success,
     * else why the package is refused; @p into may then hold a part, for the caller to remove.
     */
    static QString unpack(const QString &file, const QString &into, QString *name);
};
