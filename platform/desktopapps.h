#pragma once

#include <QStringList>

/**
 * Ids of desktop entries installed on this machine that can be shown and
 * launched ("org.example.Editor.desktop"), in a stable order, at most `limit`.
 */
QStringList desktopApplicationIds(int limit);
