#include "host/skinwatcher.h"

#include "data/settingsfile.h"
#include "data/skinloader.h"
#include "platform/zconfig.h"

#include <QDir>
#include <QFileInfo>

SkinWatcher::SkinWatcher(QObject *parent)
    : QObject(parent)
{
    m_window.setSingleShot(true);
    m_window.setInterval(DefaultWindowMs);
    connect(&m_window, &QTimer::timeout, this, [this] {
        rewatch();
        Q_EMIT reloadDue();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &SkinWatcher::noteChange);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &SkinWatcher::noteChange);
    rewatch();
}

QString SkinWatcher::currentSkinFolder()
{
    return SkinLoader::skinDirectory(SettingsFile::skin(ZConfig(SettingsFile::filePath())));
}

void SkinWatcher::noteChange()
{
    // The window opens with the first change of a burst and is not pushed back by the rest.
    if (!m_window.isActive())
        m_window.start();
}

void SkinWatcher::rewatch()
{
    const QStringList old = m_watcher.files() + m_watcher.directories();
    if (!old.isEmpty())
        m_watcher.removePaths(old);
    // The settings file is replaced by a rename when written: its folder tells of that.
    QStringList paths { SettingsFile::filePath(), QFileInfo(SettingsFile::filePath()).absolutePath() };
    const QString skin = currentSkinFolder();
    if (!skin.isEmpty() && QFileInfo(skin).isDir()) {
        paths.append(skin);
        QDir folder(skin);
        for (const QFileInfo &entry : folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            paths.append(entry.absoluteFilePath());
            if (entry.isDir()) {
                for (const QFileInfo &inner : QDir(entry.absoluteFilePath()).entryInfoList(QDir::Files))
                    paths.append(inner.absoluteFilePath());
            }
        }
    }
    QStringList existing;
    for (const QString &path : std::as_const(paths)) {
        if (QFileInfo::exists(path))
            existing.append(path);
    }
    if (!existing.isEmpty())
        m_watcher.addPaths(existing);
}

QStringList SkinWatcher::watched() const
{
    return m_watcher.files() + m_watcher.directories();
}
