#include "platform/widgets/zmessagedlg.h"

#include "platform/widgets/zlabel.h"
#include "platform/widgets/zlook.h"
#include "platform/widgets/zsoftkey.h"

#include <QKeyEvent>

ZMessageDlg::ZMessageDlg(const QString &title, const QString &text, int type, int arg, QWidget *parent,
    const char *name, bool modal, int flags, int display)
    : ZPopup(0, parent, name, modal, arg, flags, display)
    , m_type(type)
    , m_label(new ZLabel(text, this))
{
    setTitle(title);
    m_label->setTextInteractionFlags(Qt::NoTextInteraction);
    insertChild(m_label);
    const bool question = type == Question;
    softKey()->setText(ZSoftKey::LEFT, ZLook::text(question ? ZLook::Text::Yes : ZLook::Text::Ok));
    softKey()->setText(ZSoftKey::RIGHT, question ? ZLook::text(ZLook::Text::No) : QString());
    softKey()->setClickedSlot(ZSoftKey::LEFT, this, [this] { done(1); });
    softKey()->setClickedSlot(ZSoftKey::RIGHT, this, [this] { done(0); });
}

ZMessageDlg::~ZMessageDlg() = default;

QString ZMessageDlg::text() const
{
    return m_label->text();
}

void ZMessageDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        done(1);
        return;
    }
    ZPopup::keyPressEvent(event);
}
