#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

/**
 * A skin.cfg being written: groups and keys in the order they are added,
 * as "[Group]" headers and "key = value" lines.
 */
class SkinFile
{
public:
    /** Starts a group; later keys belong to it. */
    void group(const QString &name);
    void set(const QString &key, const QString &value);
    void set(const QString &key, int value);
    void set(const QString &key, bool value);

    QByteArray bytes() const;

private:
    struct Group {
        QString name;
        QList<QPair<QString, QString>> entries;
    };
    QList<Group> m_groups;
};
