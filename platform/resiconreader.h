#pragma once

#include <QImage>
#include <QString>

/**
 * The phone's icon resources by name. A name is looked up as a file in the
 * device's icon resource folder ("/usr/data_resource/icons/"), then in the
 * desktop's icon theme (the name less its extension), else it is a null image.
 */
class RES_ICON_Reader
{
public:
    RES_ICON_Reader() = default;
    virtual ~RES_ICON_Reader() = default;

    /** The phone's own icon resource folder. */
    static QString resourceFolder();

    virtual QImage getIcon(const QString &name, bool fullSize) const;
};
