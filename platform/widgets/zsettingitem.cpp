#include "platform/widgets/zsettingitem.h"

ZSettingItem::ZSettingItem(ZListBox *listBox, const QString &itemLayout)
    : ZListBoxItem(listBox, itemLayout)
{ }

ZSettingItem::~ZSettingItem() = default;
