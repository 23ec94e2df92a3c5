#include "platform/widgets/zsingleselectdlg.h"

#include "platform/widgets/zlabel.h"
#include "platform/widgets/zlistbox.h"
#include "platform/widgets/zlistboxitem.h"
#include "platform/widgets/zlook.h"
#include "platform/widgets/zsoftkey.h"

#include <QPainter>

#include <memory>

namespace {

/** The round mark in front of a choice, filled when the choice is checked. */
QPixmap choiceMark(bool checked)
{
    const int side = 14;
    QPixmap mark(side, side);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ZLook::secondaryText(), 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    if (checked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ZLook::highlight());
        painter.drawEllipse(QRectF(4, 4, side - 8, side - 8));
    }
    return mark;
}

} // namespace

ZSingleSelectDlg::ZSingleSelectDlg(const QString &title, const QString &instruction, QWidget *parent,
    const char *name, bool modal, int flags, int arg, int display)
    : ZPopup(0, parent, name, modal, arg, flags, display)
    , m_list(new ZListBox(QStringLiteral("%I%M"), this))
{
    setTitle(title);
    if (!instruction.isEmpty())
        insertChild(new ZLabel(instruction, this));
    // As tall as its choices, so the popup stays short.
    m_list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    insertChild(m_list);
    softKey()->setText(ZSoftKey::LEFT, ZLook::text(ZLook::Text::Ok));
    softKey()->setText(ZSoftKey::RIGHT, ZLook::text(ZLook::Text::Cancel));
    softKey()->setClickedSlot(ZSoftKey::LEFT, this, [this] { done(1); });
    softKey()->setClickedSlot(ZSoftKey::RIGHT, this, [this] { done(0); });
    connect(m_list, &ZListBox::selected, this, [this] { done(1); });
    connect(m_list, &ZListBox::highlighted, this, &ZSingleSelectDlg::updateMarks);
}

ZSingleSelectDlg::~ZSingleSelectDlg() = default;

void ZSingleSelectDlg::addItemsList(const QStringList &items)
{
    for (const QString &text : items) {
        auto row = std::make_unique<ZListBoxItem>(m_list);
        row->appendSubItem(1, text);
        m_list->insertItem(std::move(row));
    }
    updateMarks();
    m_list->updateGeometry();
}

int ZSingleSelectDlg::getCheckedItemIndex() const
{
    return m_list->currentItem();
}

void ZSingleSelectDlg::updateMarks()
{
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setPixmap(0, choiceMark(i == m_list->currentItem()));
}
