#include "platform/widgets/zlistboxitem.h"

#include "platform/widgets/zlistbox.h"

ZListBoxItem::ZListBoxItem(ZListBox *listBox, const QString &itemLayout)
    : m_listBox(listBox)
{
    Q_UNUSED(itemLayout);
}

ZListBoxItem::~ZListBoxItem() = default;

ZListBoxItem::Column *ZListBoxItem::column(int index)
{
    if (index < 0 || index >= MaxColumns)
        return nullptr;
    if (std::size_t(index) >= m_columns.size())
        m_columns.resize(std::size_t(index) + 1);
    return &m_columns[std::size_t(index)];
}

const ZListBoxItem::Column *ZListBoxItem::column(int index) const
{
    if (index < 0 || std::size_t(index) >= m_columns.size())
        return nullptr;
    return &m_columns[std::size_t(index)];
}

void ZListBoxItem::changed()
{
    if (m_inserted && m_listBox)
        m_listBox->itemChanged();
}

void ZListBoxItem::appendSubItem(int column, const QString &text, bool flag, int region)
{
    Q_UNUSED(flag);
    Q_UNUSED(region);
    Column *target = this->column(column);
    if (!target || target->lines.size() >= MaxLines)
        return;
    target->lines.append(text);
    changed();
}

void ZListBoxItem::setSubItem(int column, int line, const QString &text, bool flag, int region)
{
    Q_UNUSED(flag);
    Q_UNUSED(region);
    Column *target = this->column(column);
    if (!target || line < 0 || line >= MaxLines)
        return;
    while (target->lines.size() <= line)
        target->lines.append(QString());
    target->lines[line] = text;
    changed();
}

void ZListBoxItem::setPixmap(int column, const QPixmap &pixmap)
{
    Column *target = this->column(column);
    if (!target)
        return;
    target->pixmap = pixmap;
    changed();
}

QString ZListBoxItem::subItem(int column, int line) const
{
    const Column *source = this->column(column);
    return source ? source->lines.value(line) : QString();
}

int ZListBoxItem::subItemCount(int column) const
{
    const Column *source = this->column(column);
    return source ? int(source->lines.size()) : 0;
}

QPixmap ZListBoxItem::pixmap(int column) const
{
    const Column *source = this->column(column);
    return source ? source->pixmap : QPixmap();
}

QString ZListBoxItem::sortText() const
{
    for (const Column &each : m_columns) {
        if (!each.lines.isEmpty())
            return each.lines.first();
    }
    return {};
}
