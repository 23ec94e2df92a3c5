#pragma once

#include <QImage>
#include <QRect>

/**
 * Cells of a glyph strip: one image of equal cells stacked from top to
 * bottom. A digit strip has 11 cells (0..9, then the separator), the week-day
 * strip 7 (Sunday first).
 */
namespace GlyphStrip {

inline constexpr int DigitCells = 11;
inline constexpr int SeparatorCell = 10;
inline constexpr int WeekCells = 7;

/** Cell c of n: rows (c * S) / n, height S / n, the whole width; the product comes first. */
QRect cell(const QImage &strip, int c, int n = DigitCells);

/** The week strip's cell of a week day (0 = Sunday): rows w * (S / 7), a multiple of the cell height. */
QRect weekCell(const QImage &strip, int weekDay);

} // namespace GlyphStrip
