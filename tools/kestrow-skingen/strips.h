#pragma once

#include <QColor>
#include <QImage>
#include <QString>

/** How a glyph strip is drawn: cell size, baseline, colours and the font file. */
struct StripStyle {
    QString fontFile;
    qreal pixelSize = 14;
    int cellWidth = 10;
    int cellHeight = 18;
    qreal baseline = 14; // from the top of a cell
    QColor top; // glyph colour at its top ...
    QColor bottom; // ... and at the baseline
    QColor mark; // the separator, and weekend days of a week strip
    int shadowRadius = 1;
    int shadowAlpha = 160;
};

/** Glyph strips: equal-height cells stacked from top to bottom. */
namespace Strips {
enum class Separator { Colon, Dash };

/** The shipped skins' date strip: 11 x 20 cells of the Latin font at 15 px, in the colours given. */
StripStyle dateStyle(const QColor &top, const QColor &bottom, const QColor &mark);
/** The shipped skins' week strip: 46 x 20 cells of the Chinese font at 14 px, weekend days warm. */
StripStyle weekStyle();

/** 11 cells: digits 0 to 9, then the separator in cell 10. Null when the font cannot be read. */
QImage digits(const StripStyle &style, Separator separator);
/** 7 cells of Chinese day names, Sunday first. Null when the font cannot be read. */
QImage weekDays(const StripStyle &style);
} // namespace Strips
