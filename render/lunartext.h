#pragma once

#include "data/skinmodel.h"

#include <QColor>
#include <QString>

class QPainter;
class SkinText;

/**
 * Draws the lunar date text of a frame: font "AMCSL" at the skin's font
 * size, normal weight, one-pixel solid pen in the skin's colour, the text's
 * baseline starting at the skin's (left, top). An empty text draws nothing.
 * The painter's state is left as it was.
 */
void drawLunarText(QPainter &painter, const SkinModel::Lunar &lunar, const QString &text);
/** The colour the lunar date is drawn in: the skin's, fully opaque. */
QColor lunarTextColor(const SkinModel::Lunar &lunar);
/** The same, keeping the text's layout in `line` for the next frame. */
void drawLunarText(QPainter &painter, const SkinModel::Lunar &lunar, const QString &text, SkinText &line);
