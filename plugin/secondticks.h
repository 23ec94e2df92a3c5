#pragma once

#include <cstdlib>

/**
 * Keeps the plug-in's refresh ticks on the clock's whole seconds, so that the
 * seconds digits change within a few milliseconds of the real second: a tick
 * that fell more than a few milliseconds away from a whole second restarts the
 * timer with what is left to the next one.
 */
namespace SecondTicks {

inline constexpr int Period = 1000;
/** A tick this close to a whole second counts as on it. */
inline constexpr int Slack = 4;

/**
 * The interval to run the refresh timer with after a tick at millisecond @p msec of the clock's
 * second: the period when the tick fell on the whole second, else the time to just after the next one.
 */
constexpr int nextInterval(int msec)
{
    const int untilNext = Period - msec + 1;
    return std::abs(untilNext - Period) <= Slack ? Period : untilNext;
}

} // namespace SecondTicks
