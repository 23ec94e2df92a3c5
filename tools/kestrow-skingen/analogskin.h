#pragma once

class OutputFolder;

/**
 * The "analog" skin: a dark dial with hour, minute and second hands, the
 * date and week day beneath it, the lunar date, the countdown, both gauges,
 * and a frame cover that rounds and shades the edges of the home screen.
 */
namespace AnalogSkin {
/** Writes analog/skin.cfg and every image it names. */
void write(OutputFolder &out);
} // namespace AnalogSkin
