#include "platform/resiconreader.h"

#include "platform/devicepath.h"
#include "platform/phonepaths.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>

namespace {

constexpr int ThemeIconSize = 48;
constexpr int MaxIconSide = 1024;

bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String(".")
        && name != QLatin1String("..");
}

// "phone.png" is looked up in the theme as "phone"; a name without an image extension as it is.
QString themeName(const QString &name)
{
    static const QStringList extensions
        = { QStringLiteral(".png"), QStringLiteral(".jpg"), QStringLiteral(".jpeg"), QStringLiteral(".gif"),
              QStringLiteral(".bmp"), QStringLiteral(".xpm"), QStringLiteral(".svg") };
    for (const QString &extension : extensions) {
        if (name.endsWith(extension, Qt::CaseInsensitive))
            return name.left(name.size() - extension.size());
    }
    return name;
}

QImage readIconFile(const QString &path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.width() > MaxIconSide || size.height() > MaxIconSide)
        return QImage();
    return reader.read();
}

} // namespace

QString RES_ICON_Reader::resourceFolder()
{
    return devicePath(PhonePaths::IconFolder);
}

QImage RES_ICON_Reader::getIcon(const QString &name, bool fullSize) const
{
    Q_UNUSED(fullSize)
    if (!isPlainName(name))
        return QImage();
    const QString file = resourceFolder() + name;
    if (QFileInfo(file).isFile())
        return readIconFile(file);
    // The theme needs a running GUI application (tools without one get no theme icons).
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QImage();
    const QIcon icon = QIcon::fromTheme(themeName(name));
    if (icon.isNull())
        return QImage();
    return icon.pixmap(ThemeIconSize, ThemeIconSize).toImage();
}
