#pragma once

#include <QPixmap>
#include <QString>

/**
 * The settings application's own images (its title and row icons). Plain 8-bit RGBA PNG files,
 * as the application ships them, are decoded straight through libpng: the general image
 * reader would first load every image format plug-in of the machine to ask each whether it
 * reads PNG, which costs the window's start more than its icons do. Any other file goes
 * through the general reader, so every picture comes out as it always did.
 */
namespace AppImage {

QPixmap load(const QString &path);

} // namespace AppImage
