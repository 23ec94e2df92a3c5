#pragma once

#include <QString>

/**
 * The settings application's own folder, from which it loads its language
 * files, images and shell scripts: the program's first command-line argument
 * up to and including its last "/" ("/a/b/prog" gives "/a/b/"). A first
 * argument without a "/" (the program found through PATH) gives the folder
 * of the running executable, also with a final "/".
 */
namespace AppDir {

/** The directory for a given first argument, by the rule above. */
QString fromFirstArgument(const QString &firstArgument);

/** The directory of this process: computed afresh on every call from its first argument. */
QString applicationDirectory();

/**
 * Names the first argument the process was started with; main passes argv[0]. Until it is
 * called, the application object's first argument is used.
 */
void setFirstArgument(const QString &firstArgument);

} // namespace AppDir
