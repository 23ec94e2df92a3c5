#include "platform/widgets/zlabel.h"

#include "platform/widgets/zlook.h"

ZLabel::ZLabel(const QString &text, QWidget *parent, const char *name, int flags, int classId)
    : QLabel(text, parent)
{
    Q_UNUSED(flags);
    Q_UNUSED(classId);
    if (name)
        setObjectName(QString::fromLatin1(name));
    setFont(ZLook::textFont());
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

ZLabel::~ZLabel() = default;
