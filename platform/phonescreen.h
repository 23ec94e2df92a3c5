#pragma once

/** The phone's screen: every window, frame and popup is laid out on it. */
namespace PhoneScreen {

inline constexpr int Width = 240;
inline constexpr int Height = 320;

} // namespace PhoneScreen
