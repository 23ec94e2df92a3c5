#pragma once

#include "platform/hsplugin.h"

#include <QString>

/** A plug-in library opened with dlopen and its four entry points. */
class PluginLibrary
{
public:
    PluginLibrary() = default;
    ~PluginLibrary();

    PluginLibrary(const PluginLibrary &) = delete;
    PluginLibrary &operator=(const PluginLibrary &) = delete;

    /** False, with the reason in errorString(), when the library or an entry point is missing. */
    bool open(const QString &path);
    /** Unloads the library; its entry points are gone until the next open(). */
    void close();
    QString errorString() const { return m_error; }

    bool isActivated() const { return m_isActivated(); }
    bool isUserRemovable() const { return m_isUserRemovable(); }
    HSPlugin *createInstance(HSPluginContext *context) const { return m_create(context); }
    void destroyInstance(HSPlugin *plugin) const { m_destroy(plugin); }

private:
    void *symbol(const char *name);

    void *m_handle = nullptr;
    QString m_error;
    HSCreateInstanceFn m_create = nullptr;
    HSDestroyInstanceFn m_destroy = nullptr;
    HSIsActivatedFn m_isActivated = nullptr;
    HSIsUserRemovableFn m_isUserRemovable = nullptr;
};
