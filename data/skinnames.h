#pragma once

#include <QLatin1StringView>

/**
 * The groups and keys of a skin's "skin.cfg", as the loader reads them and the
 * skin generator writes them. Keys with "%1" are per dock slot or per gauge level
 * (SettingsFile::slotKey fills in the index). Some names are spelt as the phone's
 * files have always spelt them ("FramwCover", "colon0Top", "MouLeft").
 */
namespace SkinNames {

using Name = QLatin1StringView;

inline constexpr Name Show { "Show" };
inline constexpr Name Left { "Left" };
inline constexpr Name Top { "Top" };
inline constexpr Name FontSize { "FontSize" };
inline constexpr Name FontColor { "FontColor" };
/** A gauge's image for one level: Level0 to Level3 (battery), Level0 to Level5 (signal). */
inline constexpr Name Level { "Level%1" };

namespace General {
inline constexpr Name Group { "General" };
inline constexpr Name SkinName { "SkinName" };
inline constexpr Name Author { "Author" };
} // namespace General

namespace Background {
inline constexpr Name Group { "Background" };
inline constexpr Name MidIMG { "MidIMG" };
} // namespace Background

namespace FrameCover {
inline constexpr Name Group { "FramwCover" };
inline constexpr Name Img { "Img" };
/** The cover's Left and Top are read from a group of their own. */
inline constexpr Name PlaceGroup { "Img" };
} // namespace FrameCover

namespace Analog {
inline constexpr Name Group { "Analog" };
inline constexpr Name BackIMG { "BackIMG" };
inline constexpr Name CenterIMG { "CenterIMG" };
inline constexpr Name MinIMG { "MinIMG" };
inline constexpr Name HourIMG { "HourIMG" };
inline constexpr Name SecShow { "SecShow" };
inline constexpr Name SecIMG { "SecIMG" };
} // namespace Analog

namespace Digital {
inline constexpr Name Group { "Digital" };
inline constexpr Name FontIMG { "FontIMG" };
inline constexpr Name SecShow { "SecShow" };
inline constexpr Name HourLeft { "HourLeft" };
inline constexpr Name HourTop { "HourTop" };
inline constexpr Name Colon0Left { "Colon0Left" };
inline constexpr Name Colon0Top { "colon0Top" };
inline constexpr Name MinLeft { "MinLeft" };
inline constexpr Name MinTop { "MinTop" };
inline constexpr Name Colon1Left { "Colon1Left" };
inline constexpr Name Colon1Top { "colon1Top" };
inline constexpr Name SecLeft { "SecLeft" };
inline constexpr Name SecTop { "SecTop" };
} // namespace Digital

namespace Week {
inline constexpr Name Group { "Week" };
inline constexpr Name ResIMG { "ResIMG" };
} // namespace Week

namespace Date {
inline constexpr Name Group { "Date" };
inline constexpr Name FontIMG { "FontIMG" };
inline constexpr Name YearShow { "YearShow" };
inline constexpr Name YearLeft { "YearLeft" };
inline constexpr Name YearTop { "YearTop" };
inline constexpr Name YMLeft { "YMLeft" };
inline constexpr Name YMTop { "YMTop" };
inline constexpr Name MonLeft { "MouLeft" };
inline constexpr Name MonTop { "MouTop" };
inline constexpr Name MDLeft { "MDLeft" };
inline constexpr Name MDTop { "MDTop" };
inline constexpr Name DayLeft { "DayLeft" };
inline constexpr Name DayTop { "DayTop" };
} // namespace Date

namespace Lunar {
inline constexpr Name Group { "Lunar" };
} // namespace Lunar

namespace Battery {
inline constexpr Name Group { "Battery" };
} // namespace Battery

namespace Signal {
inline constexpr Name Group { "Signal" };
} // namespace Signal

namespace Notify {
inline constexpr Name Group { "Notify" };
inline constexpr Name Bold { "Bold" };
} // namespace Notify

namespace DockBar {
inline constexpr Name Group { "DockBar" };
inline constexpr Name BGIMG { "BGIMG" };
inline constexpr Name BGTop { "BGTop" };
inline constexpr Name BGLeft { "BGLeft" };
inline constexpr Name Num { "Num" };
inline constexpr Name InfoShow { "InfoShow" };
inline constexpr Name SlotTop { "Top%1" };
inline constexpr Name SlotLeft { "Left%1" };
inline constexpr Name SizeHeight { "SizeHeight%1" };
inline constexpr Name WidgetHeight { "WidgetHeight%1" };
inline constexpr Name SizeWidth { "SizeWidth%1" };
inline constexpr Name WidgetWidth { "WidgetWidth%1" };
inline constexpr Name InfoFontSize { "InfoFontSize%1" };
inline constexpr Name InfoFontLeft { "InfoFontLeft%1" };
inline constexpr Name InfoFontTop { "InfoFontTop%1" };
inline constexpr Name InfoFontColor { "InfoFontColor%1" };
} // namespace DockBar

} // namespace SkinNames
