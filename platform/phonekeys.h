#pragma once

/**
 * The phone's key codes as the home-screen host hands them to the plug-in
 * (the toolkit's codes of these keys), and the event value that carries them.
 */
namespace PhoneKeys {

inline constexpr int Select = 0x1004;
inline constexpr int Left = 0x1012;
inline constexpr int Up = 0x1013;
inline constexpr int Right = 0x1014;
inline constexpr int Down = 0x1015;

/** The host event value that accompanies a key press. */
inline constexpr int KeyPressEvent = 1;

} // namespace PhoneKeys
