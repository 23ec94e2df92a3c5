#pragma once

#include "platform/qcopchannel.h"

#include <QLatin1StringView>

/** The message channels of the phone and the messages that travel on them. */
namespace PhoneChannels {

/** The plug-in's own channel: registered while a plug-in instance lives. */
inline constexpr QLatin1StringView Plugin { "/EZX/KestrowPlugin" };
/** The platform's display and backlight channel. */
inline constexpr QLatin1StringView System { "EZX/System" };
/** The idle screen's focus channel. */
inline constexpr QLatin1StringView IdleFocus { "/EZX/PHONE/IDLEFOCUS" };

inline constexpr char Reload[] = "Reload()";
inline constexpr char LcdOn[] = "LCDOn";
inline constexpr char LcdOff[] = "LCDOff";
inline constexpr char BacklightRestored[] = "DPL_BKLGT_RESTORED";
inline constexpr char IdleFocusIn[] = "IDLE_FOCUS_IN";
inline constexpr char IdleFocusOut[] = "IDLE_FOCUS_OUT";

/**
 * Asks the plug-in to read its settings and skin again. Whoever wrote the settings file
 * flushes it first, so the plug-in reads what was written. False without a bus.
 */
inline bool sendReload()
{
    return QCopChannel::send(QString(Plugin), QByteArray(Reload));
}

} // namespace PhoneChannels
