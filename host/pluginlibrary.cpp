#include "host/pluginlibrary.h"

#include <QFile>

#include <dlfcn.h>

PluginLibrary::~PluginLibrary()
{
    close();
}

void PluginLibrary::close()
{
    if (m_handle)
        dlclose(m_handle);
    m_handle = nullptr;
    m_create = nullptr;
    m_destroy = nullptr;
    m_isActivated = nullptr;
    m_isUserRemovable = nullptr;
}

void *PluginLibrary::symbol(const char *name)
{
    void *address = dlsym(m_handle, name);
    if (!address && m_error.isEmpty())
        m_error = QStringLiteral("the library has no entry point %1").arg(QLatin1String(name));
    return address;
}

bool PluginLibrary::open(const QString &path)
{
    close();
    m_error.clear();
    m_handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        m_error = QString::fromLocal8Bit(dlerror());
        return false;
    }
    m_create = reinterpret_cast<HSCreateInstanceFn>(symbol("createInstance"));
    m_destroy = reinterpret_cast<HSDestroyInstanceFn>(symbol("destroyInstance"));
    m_isActivated = reinterpret_cast<HSIsActivatedFn>(symbol("isActivated"));
    m_isUserRemovable = reinterpret_cast<HSIsUserRemovableFn>(symbol("isUserRemovable"));
    return m_error.isEmpty();
}
