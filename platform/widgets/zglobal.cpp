#include "platform/widgets/zglobal.h"

#include "platform/phonescreen.h"
#include "platform/widgets/zlook.h"

QRect ZGlobal::getContentR(bool flag)
{
    Q_UNUSED(flag);
    return { 0, ZLook::TitleBarHeight, PhoneScreen::Width,
        PhoneScreen::Height - ZLook::TitleBarHeight - ZLook::SoftKeyBarHeight };
}
