#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

/** The dock bar's background and its flat application icons. */
namespace DockIcons {
inline constexpr int IconSize = 48;

/** The icon names, in dock slot order: "phone", "message", "camera", "music", "settings". */
QStringList names();
/** An icon by name; any other name gives the neutral "apps" icon used for an unassigned slot. */
QImage icon(const QString &name);
/** A translucent glass bar of the given size with room for its shadow. */
QImage bar(int width, int height);
} // namespace DockIcons
