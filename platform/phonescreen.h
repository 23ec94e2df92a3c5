#pragma once

#include <algorithm>

/** The phone's screen: every window, frame and popup is laid out on it. */
namespace PhoneScreen {

inline constexpr int Width = 240;
inline constexpr int Height = 320;
/** The status bar across the top; the home screen's plug-in area starts below it. */
inline constexpr int StatusBarHeight = 25;

/**
 * The height of the home screen's plug-in area: the screen below the status bar less
 * the soft-key bar, which takes its two paddings and one line of text. At least 1.
 */
constexpr int pluginAreaHeight(long paddingSum, long lineHeight)
{
    constexpr long below = Height - StatusBarHeight;
    return int(std::clamp(below - paddingSum - lineHeight, 1L, below));
}

} // namespace PhoneScreen
