#pragma once

class OutputFolder;

/**
 * The "default" skin: a digital clock with seconds over a glass panel, the
 * full date with the week day, the lunar date, the countdown, both gauges
 * and a dock bar of five named slots.
 */
namespace DefaultSkin {
/** Writes default/skin.cfg and every image it names, plus the dock icons under default/icons/. */
void write(OutputFolder &out);
} // namespace DefaultSkin
