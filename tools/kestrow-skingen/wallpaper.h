#pragma once

#include <QImage>

/** The device root's wallpaper: a dusk sky with a crescent moon over layered hills, 240 x 320. */
namespace Wallpaper {
QImage dusk();
} // namespace Wallpaper
