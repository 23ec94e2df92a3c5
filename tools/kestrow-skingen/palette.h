#pragma once

#include <QColor>

/** The colours every shipped skin is drawn in: a dark night palette with one cool and one warm accent. */
namespace Palette {
inline const QColor ink(0xF4, 0xF7, 0xFB);
inline const QColor inkSoft(0xC9, 0xD2, 0xE0);
inline const QColor inkDim(0x8A, 0x96, 0xAB);
inline const QColor accent(0x5C, 0xD6, 0xC8);
inline const QColor warm(0xFF, 0xB8, 0x6B);
inline const QColor alert(0xFF, 0x6B, 0x6B);
inline const QColor night(0x0C, 0x10, 0x1C);
inline const QColor shadow(0x02, 0x04, 0x0A);

/** A colour as skin.cfg stores it: red * 65536 + green * 256 + blue. */
inline int skinColor(const QColor &c)
{
    return c.red() * 65536 + c.green() * 256 + c.blue();
}
} // namespace Palette
