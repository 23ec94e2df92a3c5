#include "platform/utilstatus.h"

#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int FullLevel = 5;
constexpr qint64 SmallFileLimit = 64 * 1024;
// Link quality as most wireless drivers scale it.
constexpr double FullLinkQuality = 70.0;

int clampLevel(int level)
{
    return std::clamp(level, 0, FullLevel);
}

// Levels are a few bytes; anything else (a pipe, a device, a huge file) is no level, and never waited on.
std::optional<QByteArray> readSmallFile(const QString &path)
{
    QString error;
    return RegularFile::read(path, SmallFileLimit, &error);
}

std::optional<int> readNumber(const QString &path)
{
    const std::optional<QByteArray> content = readSmallFile(path);
    if (!content)
        return std::nullopt;
    bool ok = false;
    const int value = content->trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<int> overrideLevel(const char *name)
{
    const std::optional<int> value
        = readNumber(devicePath(QString(PhonePaths::RunFolder) + QLatin1String(name)));
    if (!value)
        return std::nullopt;
    return clampLevel(*value);
}

// The first power supply of type "Battery"; found once, as batteries do not come and go.
QString machineBatteryDirectory()
{
    static const QString directory = [] {
        const QString root = QStringLiteral("/sys/class/power_supply/");
        const QStringList entries = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &entry : entries) {
            const std::optional<QByteArray> type = readSmallFile(root + entry + QStringLiteral("/type"));
            if (type && type->trimmed() == "Battery")
                return root + entry + QLatin1Char('/');
        }
        return QString();
    }();
    return directory;
}

std::optional<int> machineBatteryLevel()
{
    const QString directory = machineBatteryDirectory();
    if (directory.isEmpty())
        return std::nullopt;
    const std::optional<int> capacity = readNumber(directory + QStringLiteral("capacity"));
    if (!capacity)
        return std::nullopt;
    return clampLevel(int(std::lround(*capacity / 20.0)));
}

std::optional<int> machineSignalQuality()
{
    const std::optional<QByteArray> content = readSmallFile(QStringLiteral("/proc/net/wireless"));
    if (!content)
        return std::nullopt;
    // Two header lines, then "iface: status link level noise ...".
    const QList<QByteArray> lines = content->split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines.at(i).simplified().split(' ');
        if (fields.size() < 3 || !fields.at(0).endsWith(':'))
            continue;
        QByteArray link = fields.at(2);
        if (link.endsWith('.'))
            link.chop(1);
        bool ok = false;
        const double quality = link.toDouble(&ok);
        if (ok)
            return clampLevel(int(std::lround(quality * FullLevel / FullLinkQuality)));
    }
    return std::nullopt;
}

} // namespace

int UTIL_GetBatteryLevel()
{
    if (const std::optional<int> level = overrideLevel("battery"))
        return *level;
    return machineBatteryLevel().value_or(FullLevel);
}

int UTIL_GetSignalQuality()
{
    if (const std::optional<int> level = overrideLevel("signal"))
        return *level;
    return machineSignalQuality().value_or(FullLevel);
}
