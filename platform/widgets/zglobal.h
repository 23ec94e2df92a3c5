#pragma once

#include <QRect>

/** Facts about the phone's screen that windows lay themselves out by. */
class ZGlobal
{
public:
    /**
     * The content area of a full-screen window, between its title bar and its
     * soft-key bar, in screen coordinates. The flag is accepted for the
     * platform's signature and not used.
     */
    static QRect getContentR(bool flag = false);
};
