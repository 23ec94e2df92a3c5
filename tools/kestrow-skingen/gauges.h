#pragma once

#include <QImage>

/** The battery and signal gauge images, one per level. */
namespace Gauges {
inline constexpr int BatteryWidth = 28;
inline constexpr int BatteryHeight = 14;
inline constexpr int SignalWidth = 24;
inline constexpr int SignalHeight = 14;

/** Level 0 (almost empty) to 3 (full). */
QImage battery(int level);
/** Level 0 (no bars) to 5 (all five bars). */
QImage signal(int level);
} // namespace Gauges
