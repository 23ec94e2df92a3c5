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
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // As high as its wrapped lines at the width it gets, never squeezed.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setWordWrap(true);
}

ZLabel::~ZLabel() = default;
