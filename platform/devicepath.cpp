#include "platform/devicepath.h"

#include <QDir>

namespace {

// A clean absolute path whose ".." would climb above "/" keeps them in front ("/../x"): they go,
// with one line, so the path stays where it started.
QString withoutClimb(const QString &cleanPath, const QString &asGiven)
{
    QString path = cleanPath;
    bool climbed = false;
    while (path == QLatin1String("/..") || path.startsWith(QLatin1String("/../"))) {
        path.remove(0, 3);
        climbed = true;
    }
    if (path.isEmpty())
        path = QStringLiteral("/");
    if (climbed)
        qWarning("device root: the path \"%s\" climbs above the device root; read as \"%s\"",
            qUtf8Printable(asGiven), qUtf8Printable(path));
    return path;
}

} // namespace

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
    // A path already under the root stays there: its ".." count from the root.
    QString rest = phonePath;
    if (!root.isEmpty() && (rest == root || rest.startsWith(root + QLatin1Char('/'))))
        rest = rest.mid(root.size()) + QLatin1Char('/');
    QString path = root + withoutClimb(QDir::cleanPath(rest), phonePath);
    // A folder's path keeps its final "/", so that names can be appended to it.
    if (phonePath.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool isInsideDeviceRoot(const QString &filePath)
{
    const QString root = deviceRoot();
    const QString clean = QDir::cleanPath(filePath);
    if (root.isEmpty())
        return clean.startsWith(QLatin1Char('/')) && clean != QLatin1String("/..")
            && !clean.startsWith(QLatin1String("/../"));
    return clean.startsWith(root + QLatin1Char('/'));
}
