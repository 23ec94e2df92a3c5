#pragma once

class SkinFile;

/**
 * The groups that both shipped skins describe alike: the date line with the
 * week day after it, the lunar date, the two gauges and the countdown. Only
 * their places and sizes differ.
 */
namespace SkinKeys {
/** Where a text line stands (left end of its baseline) and its point size. */
struct TextLine {
    int left = 0;
    int top = 0;
    int fontSize = 10;
};

/** How wide the date line with the week day after it is, from the year's first digit on. */
int calendarWidth(int dateCellWidth, int weekCellWidth);
/** [Week] and [Date] on one line from yearLeft on, then [Lunar]. */
void calendar(SkinFile &cfg, int dateCellWidth, int yearLeft, int dateTop, const TextLine &lunar);
/** [Battery] at the right and [Signal] at the left, margin pixels from the sides. */
void gauges(SkinFile &cfg, int margin, int top);
/** [Notify] in the warm colour, not bold. */
void notify(SkinFile &cfg, const TextLine &line);
} // namespace SkinKeys
