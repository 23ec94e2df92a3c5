#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/**
 * Opening files named by users and skins without trusting what is there: only
 * regular files are read or appended to, a named pipe or device never blocks
 * the caller, and reading stops at a limit counted in the bytes actually read,
 * not in the size the kernel reports (which is 0 for files that never end).
 */
class RegularFile
{
public:
    /**
     * The whole content of @p path; nullopt with the reason when it is missing, not a regular
     * file, unreadable or longer than @p maxBytes. @p missing, when given, tells the first case.
     */
    static std::optional<QByteArray> read(
        const QString &path, qint64 maxBytes, QString *error, bool *missing = nullptr);

    /** Appends @p bytes to the regular file @p path, creating it; false with the reason otherwise. */
    static bool append(const QString &path, const QByteArray &bytes, QString *error);

    /**
     * Writes all of @p bytes to @p fd through short writes and interruptions: 0, or the errno of
     * the failure (EIO for a write that wrote nothing).
     */
    static int writeAll(int fd, const QByteArray &bytes);
    /** The system's text for an errno value. */
    static QString systemError(int code);
};
