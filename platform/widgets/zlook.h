#pragma once

#include <QColor>
#include <QFont>
#include <QString>

/**
 * The one look every phone widget shares: bar heights, colours, fonts, and the
 * few texts the platform's own dialogs show. Widgets ask here instead of
 * choosing their own, so every window looks like the same phone.
 */
namespace ZLook {

inline constexpr int TitleBarHeight = 24;
inline constexpr int SoftKeyBarHeight = 26;
/** Space between a text and the edge of its row or bar. */
inline constexpr int Margin = 4;
/** Width of a list's icon column when its rows have no image. */
inline constexpr int IconColumnWidth = 28;

/** Pixel sizes, so a window looks the same whatever the display's dots per inch. */
inline constexpr int BarPixelSize = 14;
inline constexpr int TextPixelSize = 13;
inline constexpr int SmallPixelSize = 11;

/** The title bar's and the soft keys' font: one font for both bars, so a window sets up three, not four. */
QFont barFont();
QFont textFont();
QFont smallFont();

QColor background();
QColor text();
QColor secondaryText();
QColor highlight();
QColor highlightText();
QColor separator();
QColor barTop();
QColor barBottom();
QColor barText();
/** The dimming laid over a window while a menu is open over it. */
QColor shade();

/** Texts of the platform's own dialogs and menus, in the language of the default locale. */
enum class Text { Ok, Cancel, Yes, No, Select, Back };
QString text(Text which);

} // namespace ZLook
