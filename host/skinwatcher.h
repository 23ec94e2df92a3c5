#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

/**
 * Watches what a skin author edits: the files of the current skin's folder and
 * the settings file (which names the skin). A burst of changes becomes one
 * reloadDue() at the end of a short window (200 ms by default), so that an
 * editor's save, however many writes it makes, costs one reload. After each
 * reload the watched paths are taken again, so that a newly chosen skin, a
 * file replaced by renaming or a new image is followed.
 */
class SkinWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultWindowMs = 200;

    explicit SkinWatcher(QObject *parent = nullptr);

    /** The folder of the skin that [Main] Skin names, with a final "/"; empty when it names none. */
    static QString currentSkinFolder();
    /** The paths watched now. */
    QStringList watched() const;

public Q_SLOTS:
    /** Something changed: a reload is due at the end of the window (one for the whole burst). */
    void noteChange();
    /** Takes the paths to watch again. */
    void rewatch();

Q_SIGNALS:
    void reloadDue();

private:
    QFileSystemWatcher m_watcher;
    QTimer m_window;
};
