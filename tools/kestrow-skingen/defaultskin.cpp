#include "tools/kestrow-skingen/defaultskin.h"

#include "data/skinnames.h"
#include "platform/phonescreen.h"
#include "tools/kestrow-skingen/dockicons.h"
#include "tools/kestrow-skingen/drawing.h"
#include "tools/kestrow-skingen/gauges.h"
#include "tools/kestrow-skingen/outlinefont.h"
#include "tools/kestrow-skingen/outputfolder.h"
#include "tools/kestrow-skingen/palette.h"
#include "tools/kestrow-skingen/skinfile.h"
#include "tools/kestrow-skingen/skinkeys.h"
#include "tools/kestrow-skingen/strips.h"

#include <QLinearGradient>
#include <QPainter>

namespace DefaultSkin {
namespace {
// Frame geometry: the usable area is the screen's width and at least 265 high on every phone layout.
constexpr int PanelTop = 22;
constexpr int PanelBottom = 156;
constexpr int TextLeft = 19;

constexpr int ClockTop = 30;
constexpr int DateTop = 88;
constexpr int DockTop = 198;
constexpr int DockIconTop = 209;
constexpr int DockIconSize = 36;
constexpr int DockFocusSize = 42;
constexpr int DockPitch = 44;
constexpr int DockFirstLeft = 14;

StripStyle clockStyle()
{
    StripStyle s;
    s.fontFile = FontFiles::latinBold();
    s.pixelSize = 38;
    s.cellWidth = 28;
    s.cellHeight = 42;
    s.baseline = 35;
    s.top = Palette::ink;
    s.bottom = Palette::inkSoft;
    s.mark = Palette::accent;
    s.shadowRadius = 2;
    return s;
}

StripStyle dateStyle()
{
    return Strips::dateStyle(Palette::inkSoft, Palette::inkSoft, Palette::inkDim);
}

// The centre image: a dark glass panel behind the clock and texts, and a shade under the gauges.
QImage panel()
{
    QImage image = Drawing::canvas(PhoneScreen::Width, PhoneScreen::Height);
    QPainter p(&image);
    Drawing::smooth(p);
    Drawing::topShade(p, 22);
    Drawing::glass(p, QRectF(8, PanelTop, 224, PanelBottom - PanelTop), 14, 165, 135, 26);

    QLinearGradient rule(TextLeft, 0, 221, 0);
    rule.setColorAt(0, QColor(0x5C, 0xD6, 0xC8, 150));
    rule.setColorAt(1, QColor(0x5C, 0xD6, 0xC8, 0));
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(TextLeft, 80, 202, 1), rule);
    return image;
}

void writeImages(OutputFolder &out)
{
    out.png(QStringLiteral("default/panel.png"), panel());
    out.png(QStringLiteral("default/clock.png"), Strips::digits(clockStyle(), Strips::Separator::Colon));
    out.png(QStringLiteral("default/date.png"), Strips::digits(dateStyle(), Strips::Separator::Dash));
    out.png(QStringLiteral("default/week.png"), Strips::weekDays(Strips::weekStyle()));
    for (int level = 0; level < 4; ++level)
        out.png(QStringLiteral("default/battery%1.png").arg(level), Gauges::battery(level));
    for (int level = 0; level < 6; ++level)
        out.png(QStringLiteral("default/signal%1.png").arg(level), Gauges::signal(level));
    out.png(QStringLiteral("default/dockbar.png"), DockIcons::bar(PhoneScreen::Width, 62));
    out.png(QStringLiteral("default/dock.png"), DockIcons::icon(QStringLiteral("apps")));
    for (const QString &name : DockIcons::names())
        out.png(QStringLiteral("default/icons/%1.png").arg(name), DockIcons::icon(name));
}

void clockKeys(SkinFile &cfg)
{
    const int w = clockStyle().cellWidth;
    // Each colon takes half a cell between its neighbours: its dots are centred in a full cell.
    const int hour = 22;
    const int minute = hour + 2 * w + w / 2;
    const int second = minute + 2 * w + w / 2;
    cfg.group(SkinNames::Digital::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::Digital::FontIMG, QStringLiteral("clock.png"));
    cfg.set(SkinNames::Digital::SecShow, true);
    cfg.set(SkinNames::Digital::HourLeft, hour);
    cfg.set(SkinNames::Digital::HourTop, ClockTop);
    cfg.set(SkinNames::Digital::Colon0Left, minute - w + w / 4);
    cfg.set(SkinNames::Digital::Colon0Top, ClockTop);
    cfg.set(SkinNames::Digital::MinLeft, minute);
    cfg.set(SkinNames::Digital::MinTop, ClockTop);
    cfg.set(SkinNames::Digital::Colon1Left, second - w + w / 4);
    cfg.set(SkinNames::Digital::Colon1Top, ClockTop);
    cfg.set(SkinNames::Digital::SecLeft, second);
    cfg.set(SkinNames::Digital::SecTop, ClockTop);
}

void textKeys(SkinFile &cfg)
{
    SkinKeys::calendar(cfg, dateStyle().cellWidth, TextLeft, DateTop, { TextLeft, 126, 10 });
    SkinKeys::gauges(cfg, 10, 4);
    SkinKeys::notify(cfg, { TextLeft, 147, 10 });
}

void dockKeys(SkinFile &cfg)
{
    cfg.group(SkinNames::DockBar::Group);
    cfg.set(SkinNames::Show, true);
    cfg.set(SkinNames::DockBar::BGIMG, QStringLiteral("dockbar.png"));
    cfg.set(SkinNames::DockBar::BGTop, DockTop);
    cfg.set(SkinNames::DockBar::BGLeft, 0);
    cfg.set(SkinNames::DockBar::Num, 5);
    cfg.set(SkinNames::DockBar::InfoShow, true);
    for (int i = 0; i < 5; ++i) {
        const int left = DockFirstLeft + i * DockPitch;
        cfg.set(SkinNames::DockBar::SlotTop, i, DockIconTop);
        cfg.set(SkinNames::DockBar::SlotLeft, i, left);
        cfg.set(SkinNames::DockBar::SizeHeight, i, DockIconSize);
        cfg.set(SkinNames::DockBar::WidgetHeight, i, DockFocusSize);
        cfg.set(SkinNames::DockBar::SizeWidth, i, DockIconSize);
        cfg.set(SkinNames::DockBar::WidgetWidth, i, DockFocusSize);
        cfg.set(SkinNames::DockBar::InfoFontSize, i, 9);
        cfg.set(SkinNames::DockBar::InfoFontLeft, i, left + 2);
        cfg.set(SkinNames::DockBar::InfoFontTop, i, DockTop - 4);
        cfg.set(SkinNames::DockBar::InfoFontColor, i, Palette::skinColor(Palette::ink));
    }
}

SkinFile description()
{
    SkinFile cfg;
    cfg.group(SkinNames::General::Group);
    cfg.set(SkinNames::General::SkinName, QStringLiteral("Kestrow 夜色"));
    cfg.set(SkinNames::General::Author, QStringLiteral("Kestrow"));
    cfg.group(SkinNames::Background::Group);
    cfg.set(SkinNames::Background::MidIMG, QStringLiteral("panel.png"));
    cfg.group(SkinNames::FrameCover::Group);
    cfg.set(SkinNames::Show, false);
    cfg.group(SkinNames::Analog::Group);
    cfg.set(SkinNames::Show, false);
    clockKeys(cfg);
    textKeys(cfg);
    dockKeys(cfg);
    return cfg;
}
} // namespace

void write(OutputFolder &out)
{
    writeImages(out);
    out.text(QStringLiteral("default/skin.cfg"), description().bytes());
}
} // namespace DefaultSkin
