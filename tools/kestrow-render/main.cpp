// kestrow-render: renders one frame of a skin from a device root into a PNG file, exactly as the
// home-screen plug-in composes it (or, with --preview, as the settings application's preview does),
// with the clock, the levels and the dock focus fixed from the command line. For skin authors.

#include "data/settingsfile.h"
#include "data/skinloader.h"
#include "platform/zconfig.h"
#include "render/fixedclock.h"
#include "render/skinrenderer.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

constexpr int UsageError = 2;

const char Usage[] = "usage: kestrow-render --root DIR [--skin NAME] [--at \"YYYY-MM-DD HH:MM:SS\"] "
                     "[--battery N] [--signal N] [--focus N] [--preview] -o FILE.png\n";

struct Options {
    QString root;
    QString skin;
    std::optional<ClockReading> at;
    std::optional<int> battery;
    std::optional<int> signal;
    int focus = -1;
    bool preview = false;
    QString output;
};

void printError(const QString &message)
{
    std::fputs(qPrintable(QStringLiteral("kestrow-render: ") + message + QLatin1Char('\n')), stderr);
}

std::optional<int> parseInt(const QString &text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

/** Local time written "YYYY-MM-DD HH:MM:SS"; second 60 is a leap second. */
std::optional<ClockReading> parseMoment(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})[ T](\\d{2}):(\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const auto part = [&m](int i) { return m.captured(i).toInt(); };
    const QDate date(part(1), part(2), part(3));
    if (!date.isValid() || part(4) > 23 || part(5) > 59 || part(6) > 60)
        return std::nullopt;
    return ClockReading { part(1), part(2), part(3), part(4), part(5), part(6), date.dayOfWeek() % 7 };
}

/** Reads the command line; a message when it is not one this tool takes. */
std::optional<QString> parse(const QStringList &args, Options &options)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        QString name = args[i];
        std::optional<QString> inlineValue;
        if (name.startsWith(QLatin1String("--")) && name.contains(QLatin1Char('='))) {
            inlineValue = name.mid(name.indexOf(QLatin1Char('=')) + 1);
            name = name.left(name.indexOf(QLatin1Char('=')));
        }
        if (name == QLatin1String("--preview") && !inlineValue) {
            options.preview = true;
            continue;
        }
        const QStringList valued { QStringLiteral("--root"), QStringLiteral("--skin"), QStringLiteral("--at"),
            QStringLiteral("--battery"), QStringLiteral("--signal"), QStringLiteral("--focus"),
            QStringLiteral("-o") };
        if (!valued.contains(name))
            return QStringLiteral("unknown option %1").arg(args[i]);
        if (!inlineValue && i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(name);
        const QString value = inlineValue ? *inlineValue : args[++i];
        if (name == QLatin1String("--root")) {
            options.root = value;
        } else if (name == QLatin1String("--skin")) {
            options.skin = value;
        } else if (name == QLatin1String("-o")) {
            options.output = value;
        } else if (name == QLatin1String("--at")) {
            options.at = parseMoment(value);
            if (!options.at)
                return QStringLiteral("--at takes a local time \"YYYY-MM-DD HH:MM:SS\", not \"%1\"")
                    .arg(value);
        } else if (name == QLatin1String("--focus")) {
            const std::optional<int> focus = parseInt(value, -1, DockSlotCount - 1);
            if (!focus)
                return QStringLiteral("--focus takes a slot from -1 to %1, not \"%2\"")
                    .arg(DockSlotCount - 1)
                    .arg(value);
            options.focus = *focus;
        } else {
            const std::optional<int> level = parseInt(value, 0, 5);
            if (!level)
                return QStringLiteral("%1 takes a level from 0 to 5, not \"%2\"").arg(name, value);
            (name == QLatin1String("--battery") ? options.battery : options.signal) = level;
        }
    }
    if (options.root.isEmpty())
        return QStringLiteral("--root is required");
    if (options.output.isEmpty())
        return QStringLiteral("-o is required");
    if (!QFileInfo(options.root).isDir())
        return QStringLiteral("--root %1 is not a folder").arg(options.root);
    return std::nullopt;
}

/** The skin in use: [Main] Skin of the settings file under the device root. */
QString currentSkin()
{
    return SettingsFile::skin(ZConfig(SettingsFile::filePath()));
}

} // namespace

int main(int argc, char **argv)
{
    // Nothing is shown: render without a display unless a platform was asked for.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    Options options;
    if (const std::optional<QString> error = parse(app.arguments(), options)) {
        printError(*error);
        std::fputs(Usage, stderr);
        return UsageError;
    }
    // Every phone path of the loader and the platform stand-ins resolves under the given root.
    qputenv("KESTROW_ROOT", QFile::encodeName(QDir(options.root).absolutePath()));

    SkinModel model;
    SkinLoadOptions loadOptions;
    if (options.preview)
        loadOptions = SkinLoadOptions::preview(options.skin.isEmpty() ? currentSkin() : options.skin);
    else
        loadOptions.skinName = options.skin;
    const SkinLoadReport report = SkinLoader::load(model, loadOptions);
    for (const QString &problem : report.problems)
        printError(problem);

    SkinRenderer renderer(model, loadOptions.composition);
    renderer.setFocusIndex(options.focus);
    std::optional<FixedClock> clock;
    if (options.at) {
        clock.emplace(*options.at);
        renderer.setClock(&*clock);
    }
    if (options.battery)
        renderer.setBatterySource([level = *options.battery] { return level; });
    if (options.signal)
        renderer.setSignalSource([level = *options.signal] { return level; });

    const QImage &frame = renderer.paintFrame();
    if (!frame.save(options.output, "PNG")) {
        printError(QStringLiteral("cannot write %1").arg(options.output));
        return 1;
    }
    return 0;
}
