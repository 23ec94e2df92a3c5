#pragma once

#include "setup/lngtable.h"

/**
 * A language table that is the process-wide one for as long as this object
 * lives, as the settings application's start-up makes it; the windows under
 * test reach it through LngTable::instance().
 */
class InstalledLanguage
{
public:
    explicit InstalledLanguage(const QString &path)
        : m_table(path)
    {
        LngTable::setInstance(&m_table);
    }
    ~InstalledLanguage() { LngTable::setInstance(nullptr); }

    InstalledLanguage(const InstalledLanguage &) = delete;
    InstalledLanguage &operator=(const InstalledLanguage &) = delete;

private:
    LngTable m_table;
};
