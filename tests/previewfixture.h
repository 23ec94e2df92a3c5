#pragma once

// One small skin on disk with every element switched on, each in a place of its own, for the tests
// that compare the home screen's frame with the preview's. Solid colours throughout, so that a pixel
// tells which element lies there.

#include "testsupport.h"

#include <QByteArray>
#include <QRect>
#include <QRgb>
#include <QString>

namespace PreviewFixture {

inline const QRgb Wallpaper = qRgb(40, 60, 90);
inline const QRgb Centre = qRgb(250, 0, 250);
inline const QRgb Cover = qRgb(255, 255, 0);
inline const QRgb Battery = qRgb(0, 200, 0);
inline const QRgb Signal = qRgb(0, 0, 220);
inline const QRgb Dial = qRgb(200, 200, 200);
inline const QRgb DockIcon = qRgb(220, 120, 0);
inline const QRgb DockBackground = qRgb(90, 20, 20);

/** Where the plug-in draws what the preview leaves out. */
inline const QRect CoverArea(180, 150, 40, 20);
inline const QRect FocusedSlotArea(60, 205, 30, 30); // slot 1 at its focused size
inline const QRect NameArea(150, 215, 90, 30); // slot 1's name, baseline at (160, 235)
inline const QPoint BatteryAt(205, 5);
inline const QPoint CentreAt(5, 5);
inline const QPoint DialAt(12, 32);
inline const QPoint UnfocusedIconAt(12, 207);

/** The skin's "skin.cfg": every element on, the cover and the slot names too. */
inline QByteArray skinCfg()
{
    return "[General]\nSkinName=Every element\nAuthor=Tests\n"
           "[Background]\nMidIMG=mid.png\n"
           "[FramwCover]\nShow=true\nImg=cover.png\n[Img]\nLeft=180\nTop=150\n"
           "[Analog]\nShow=true\nBackIMG=dial.png\nHourIMG=hour.png\nMinIMG=min.png\nSecIMG=sec.png\n"
           "Left=10\nTop=30\n"
           "[Digital]\nShow=true\nFontIMG=digits.png\nSecShow=true\nHourLeft=80\nHourTop=30\nColon0Left=100\n"
           "colon0Top=30\nMinLeft=110\nMinTop=30\nColon1Left=130\ncolon1Top=30\nSecLeft=140\nSecTop=30\n"
           "[Date]\nShow=true\nFontIMG=digits.png\nYearShow=true\nYearLeft=80\nYearTop=60\nYMLeft=120\n"
           "YMTop=60\nMouLeft=130\nMouTop=60\nMDLeft=150\nMDTop=60\nDayLeft=160\nDayTop=60\n"
           "[Week]\nShow=true\nResIMG=week.png\nLeft=190\nTop=60\n"
           "[Lunar]\nShow=true\nFontSize=10\nFontColor=16777215\nLeft=80\nTop=110\n"
           "[Battery]\nShow=true\nLeft=200\nTop=0\nLevel0=bat.png\nLevel1=bat.png\nLevel2=bat.png\n"
           "Level3=bat.png\n"
           "[Signal]\nShow=true\nLeft=40\nTop=0\nLevel0=sig.png\nLevel1=sig.png\nLevel2=sig.png\n"
           "Level3=sig.png\nLevel4=sig.png\nLevel5=sig.png\n"
           "[Notify]\nShow=true\nFontSize=10\nFontColor=16776960\nLeft=10\nTop=140\n"
           "[DockBar]\nShow=true\nBGIMG=dockbg.png\nBGTop=200\nBGLeft=0\nNum=3\nInfoShow=true\n"
           "Top0=205\nLeft0=10\nTop1=205\nLeft1=60\nTop2=205\nLeft2=110\n"
           "SizeWidth0=20\nSizeHeight0=20\nWidgetWidth0=30\nWidgetHeight0=30\n"
           "SizeWidth1=20\nSizeHeight1=20\nWidgetWidth1=30\nWidgetHeight1=30\n"
           "SizeWidth2=20\nSizeHeight2=20\nWidgetWidth2=30\nWidgetHeight2=30\n"
           "InfoFontSize1=10\nInfoFontLeft1=160\nInfoFontTop1=235\nInfoFontColor1=16777215\n";
}

/**
 * Writes the skin under `name`, a solid wallpaper, and a settings file that makes it the skin in use
 * with three dock icons, slot 1 named, and a countdown event.
 */
inline bool writeSkin(const TempDeviceRoot &root, const QString &name, const QByteArray &extraSettings = {})
{
    const QString dir = QStringLiteral("/ezxlocal/Kestrow/skin/%1/").arg(name);
    bool ok = root.writeSkin(name, skinCfg());
    ok = ok && root.writeImage(dir + QStringLiteral("mid.png"), 30, 20, QColor::fromRgb(Centre));
    ok = ok && root.writeImage(dir + QStringLiteral("cover.png"), 40, 20, QColor::fromRgb(Cover));
    ok = ok && root.writeImage(dir + QStringLiteral("dial.png"), 60, 60, QColor::fromRgb(Dial));
    ok = ok && root.writeImage(dir + QStringLiteral("hour.png"), 6, 24, Qt::black);
    ok = ok && root.writeImage(dir + QStringLiteral("min.png"), 4, 40, Qt::darkBlue);
    ok = ok && root.writeImage(dir + QStringLiteral("sec.png"), 2, 50, Qt::red);
    ok = ok && root.writeImage(dir + QStringLiteral("digits.png"), 10, 11 * 14, QColor(230, 230, 230));
    ok = ok && root.writeImage(dir + QStringLiteral("week.png"), 30, 7 * 12, QColor(120, 230, 230));
    ok = ok && root.writeImage(dir + QStringLiteral("bat.png"), 30, 12, QColor::fromRgb(Battery));
    ok = ok && root.writeImage(dir + QStringLiteral("sig.png"), 24, 12, QColor::fromRgb(Signal));
    ok = ok && root.writeImage(dir + QStringLiteral("dockbg.png"), 240, 45, QColor::fromRgb(DockBackground));
    ok = ok && root.writeImage(QStringLiteral("/ezxlocal/icons/app.png"), 40, 40, QColor::fromRgb(DockIcon));
    ok = ok
        && root.writeImage(QStringLiteral("/ezxlocal/wallpaper.png"), 240, 320, QColor::fromRgb(Wallpaper));
    ok = ok
        && root.writeFile(QStringLiteral("/ezxlocal/download/appwrite/setup/ezx_system.cfg"),
            "[SYS_DISPLAY_SET]\nWallpaper=/ezxlocal/wallpaper.png\n");
    ok = ok
        && root.writeFile(QStringLiteral("/ezxlocal/Kestrow/Kestrow.cfg"),
            "[Main]\nSkin=" + name.toUtf8()
                + "\n[DockBar]\nIcon0=/ezxlocal/icons/app.png\nIcon1=/ezxlocal/icons/app.png\n"
                  "Icon2=/ezxlocal/icons/app.png\nName1=Mail\n"
                  "[Notify]\nYear=2024\nMonth=3\nDay=11\nInfo=Exams\n"
                + extraSettings);
    return ok;
}

} // namespace PreviewFixture
