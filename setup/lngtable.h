#pragma once

#include <QString>

#include <memory>

class ZConfig;

/**
 * The settings application's language table: the texts of one language file
 * (group "LNG", one key per text). One table exists per process, created before
 * the main window and destroyed after the event loop; every window reaches it
 * through instance().
 */
class LngTable
{
public:
    explicit LngTable(const QString &path);
    ~LngTable();

    LngTable(const LngTable &) = delete;
    LngTable &operator=(const LngTable &) = delete;

    /**
     * The text of a language key. A key that is missing or has an empty value
     * gives the key itself, after one diagnostic line.
     */
    QString get(const char *key) const;

    /** The language file every application folder holds, taken when the phone's language has none. */
    static constexpr QLatin1StringView FallbackFile { "zh-cn.lng" };

    /**
     * The language file for the phone's language ([SYS_SYSTEM_SET] LanguageType of the system
     * settings file): "<dir>/<language>.lng" when it exists, else "<dir>/zh-cn.lng". The directory
     * ends in "/", so the path holds "//". Writes the "lng file : " line.
     */
    static QString chooseFile(const QString &applicationDirectory);

    /** The process-wide table, or null outside its life. */
    static LngTable *instance();
    static void setInstance(LngTable *table);

    /** The text of a key through the process-wide table; the key itself while there is none. */
    static QString text(const char *key);

private:
    std::unique_ptr<ZConfig> m_config;
};
