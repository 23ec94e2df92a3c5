#pragma once

#include <QByteArray>
#include <QString>

/**
 * Files and folders made inside a device root: real folders and regular files
 * only, never through a symbolic link that someone placed in the root, so a
 * link cannot make the tool write anywhere outside it. A file that exists is
 * kept as it is.
 */
class RootFile
{
public:
    enum class Result { Created, Kept, LinkInTheWay, Failed };

    /**
     * Makes @p target, a path below @p root, holding @p content, with its missing folders.
     * @p detail receives the path of the link in the way, or why it failed.
     */
    static Result create(
        const QString &root, const QString &target, const QByteArray &content, QString *detail);

    /** Makes the folder @p target below @p root with the folders above it. */
    static Result makeFolders(const QString &root, const QString &target, QString *detail);
};
