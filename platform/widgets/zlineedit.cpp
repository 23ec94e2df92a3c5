#include "platform/widgets/zlineedit.h"

#include "platform/widgets/zlook.h"

#include <QKeyEvent>

ZLineEdit::ZLineEdit(QWidget *parent, const char *name, int classId)
    : QLineEdit(parent)
{
    Q_UNUSED(classId);
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFont(ZLook::textFont());
}

ZLineEdit::~ZLineEdit() = default;

void ZLineEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_Escape:
        event->ignore();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}
