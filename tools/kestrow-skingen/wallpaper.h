#pragma once

#include <QImage>

/** The device root's wallpaper: a dusk sky over layered hills, 240 x 320. */
namespace Wallpaper {
QImage dusk();
} // namespace Wallpaper
