#pragma once

#include "platform/widgets/zlistboxitem.h"

/** A row of a settings list: an icon and text lines, like any list row. */
class ZSettingItem : public ZListBoxItem
{
public:
    explicit ZSettingItem(ZListBox *listBox = nullptr, const QString &itemLayout = QString());
    ~ZSettingItem() override;
};
