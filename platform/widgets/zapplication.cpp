#include "platform/widgets/zapplication.h"

#include "platform/widgets/zlook.h"

#include <QPointer>

namespace {

QPointer<QWidget> &mainWidgetSlot()
{
    static QPointer<QWidget> widget;
    return widget;
}

} // namespace

ZApplication::ZApplication(int &argc, char **argv, Type type)
    : QApplication(argc, argv)
{
    Q_UNUSED(type);
    setFont(ZLook::textFont());
}

ZApplication::~ZApplication() = default;

void ZApplication::setMainWidget(QWidget *widget)
{
    mainWidgetSlot() = widget;
}

QWidget *ZApplication::mainWidget()
{
    return mainWidgetSlot();
}
