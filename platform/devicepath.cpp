#include "platform/devicepath.h"

#include <QDir>

QString deviceRoot()
{
    QString root = qEnvironmentVariable("KESTROW_ROOT");
    if (root.isEmpty())
        return QString();
    root = QDir::cleanPath(root);
    if (root == QLatin1String("/"))
        return QString();
    return root;
}

QString devicePath(const QString &phonePath)
{
    if (!phonePath.startsWith(QLatin1Char('/')))
        return phonePath;
    const QString root = deviceRoot();
    if (root.isEmpty() || phonePath.startsWith(root + QLatin1Char('/')))
        return phonePath;
    return root + phonePath;
}
