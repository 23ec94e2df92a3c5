#pragma once

#include "platform/phonefont.h"

#include <QFont>

/** The family every skin text asks for. */
inline constexpr const char *SkinFontFamily = PhoneFont::Family;
/** Skin font sizes are kept within this many points; larger ones only slow a frame down. */
inline constexpr int MaxSkinFontSize = 200;

/**
 * Makes the skin family resolve to a font that has Chinese glyphs on a machine
 * that has no font of that family. Safe to call any number of times; only the
 * first call does anything.
 */
void installSkinFontSubstitution();

/**
 * The font of a skin text: family "AMCSL", the given point size (kept within
 * 1..MaxSkinFontSize; 0 or less keeps the font's own size), normal or bold
 * weight, not italic.
 */
QFont skinFont(int pointSize, bool bold);
