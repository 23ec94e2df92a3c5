#include "setup/appdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString &storedFirstArgument()
{
    static QString argument;
    return argument;
}

bool &firstArgumentSet()
{
    static bool set = false;
    return set;
}

QString executableFolder()
{
    // Without an application object Qt cannot say; the kernel can.
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                               : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace

namespace AppDir {

QString fromFirstArgument(const QString &firstArgument)
{
    const qsizetype slash = firstArgument.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return executableFolder();
    return firstArgument.left(slash + 1);
}

QString applicationDirectory()
{
    if (firstArgumentSet())
        return fromFirstArgument(storedFirstArgument());
    const QStringList arguments = QCoreApplication::arguments();
    return fromFirstArgument(arguments.isEmpty() ? QString() : arguments.first());
}

void setFirstArgument(const QString &firstArgument)
{
    storedFirstArgument() = firstArgument;
    firstArgumentSet() = true;
}

} // namespace AppDir
