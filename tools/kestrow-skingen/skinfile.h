#pragma once

#include "platform/zconfigdocument.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

/**
 * A skin.cfg being written through the configuration file writer: groups and
 * keys in the order they are added, as "[Group]" headers and "key = value" lines.
 */
class SkinFile
{
public:
    SkinFile();

    /** Starts a group; later keys belong to it. */
    void group(QLatin1StringView name);
    void set(const QString &key, const QString &value);
    void set(const QString &key, int value);
    void set(const QString &key, bool value);
    /** A key of a dock slot or a gauge level: "%1" of the name is the index. */
    void set(QLatin1StringView pattern, int index, const QString &value);
    void set(QLatin1StringView pattern, int index, int value);

    QByteArray bytes() const;

private:
    QString m_group;
    ZConfigDocument m_document;
};
