#pragma once

#include <QString>
#include <QStringList>

/**
 * The device root's skin folder as the installer changes it. Changes are made under a lock on the
 * folder, in hidden temporary folders beside the skins that a rename puts in place or takes away in
 * one step, so that a skin is there whole or not at all whenever the process ends; the temporaries
 * a killed run left are removed by the next one.
 */
class SkinFolder
{
public:
    SkinFolder();
    ~SkinFolder();

    SkinFolder(const SkinFolder &) = delete;
    SkinFolder &operator=(const SkinFolder &) = delete;

    /** Takes the lock (waiting for another installer) and removes leftover temporaries. */
    bool open(QString *error);
    QString path() const { return m_root; }
    QString skinPath(const QString &name) const { return m_root + name; }

    /** A new empty temporary folder beside the skins; empty when none could be made. */
    QString makeTemporary(QString *error) const;
    /** Removes a temporary folder and everything in it, links removed, never followed. */
    static void discard(const QString &temporary);

    /** Whether a folder (or anything else) of that name stands in the skin folder. */
    bool exists(const QString &name) const;
    /**
     * Puts the complete folder @p temporary in place as the skin @p name. With @p replace an
     * installed skin of that name is exchanged for it in one step and then removed.
     */
    bool place(const QString &temporary, const QString &name, bool replace, QString *error) const;
    /** Takes the skin @p name away in one step, then removes its files. */
    bool remove(const QString &name, QString *error) const;

    /** The directory name of the skin in use ([Main] Skin). */
    static QString nameInUse();
    bool isInUse(const QString &name) const;
    /** The installed skins' directory names, in order: folders with a skin.cfg, hidden ones left out. */
    QStringList skins() const;

private:
    bool placeInTwoSteps(const QString &temporary, const QString &target, QString *error) const;
    QString checkedFolder(const QString &name, QString *error) const;

    QString m_root;
    int m_lockFd = -1;
};
