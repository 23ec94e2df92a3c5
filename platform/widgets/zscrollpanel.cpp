#include "platform/widgets/zscrollpanel.h"

ZScrollPanel::ZScrollPanel(QWidget *parent, const char *name, int flags, int classId, int display)
    : QWidget(parent)
{
    Q_UNUSED(flags);
    Q_UNUSED(classId);
    Q_UNUSED(display);
    if (name)
        setObjectName(QString::fromLatin1(name));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

ZScrollPanel::~ZScrollPanel() = default;
