#pragma once

#include <QString>

/**
 * An exclusive advisory lock on a lock file, held while the object lives.
 * Writers of one configuration file hold it across re-read, write and rename,
 * so that no process replaces the file with a copy that misses another's
 * write. Readers never take it: a rename gives them whole files anyway.
 */
class FileLock
{
public:
    FileLock() = default;
    ~FileLock();

    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    /**
     * Waits up to @p waitMs for the lock on @p path, creating the file when missing (never
     * through a symbolic link). False, with the reason, when it cannot be had in time.
     */
    bool acquire(const QString &path, int waitMs, QString *error);

private:
    int m_fd = -1;
};
