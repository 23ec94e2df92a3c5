// kestrow-render: renders one frame of a skin from a device root into a PNG file, exactly as the
// home-screen plug-in composes it (or, with --preview, as the settings application's preview does),
// with the clock, the levels and the dock focus fixed from the command line. For skin authors.

#include "data/deviceroot.h"
#include "data/settingsfile.h"
#include "data/skinloader.h"
#include "platform/toolcommandline.h"
#include "platform/zconfig.h"
#include "render/fixedclock.h"
#include "render/skinrenderer.h"

#include <QDate>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace {

struct Options {
    QString skin;
    std::optional<ClockReading> at;
    std::optional<int> battery;
    std::optional<int> signal;
    int focus = -1;
    bool preview = false;
    QString output;
};

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

void addOptions(ToolCommandLine &cmd)
{
    cmd.addRootOption();
    cmd.addOption({ QStringLiteral("skin"),
        QStringLiteral("Skin folder name under the skin root. Default: [Main] Skin."),
        QStringLiteral("NAME") });
    cmd.addOption({ QStringLiteral("at"), QStringLiteral("Local time of the frame. Default: now."),
        QStringLiteral("YYYY-MM-DD HH:MM:SS") });
    cmd.addOption(
        { QStringLiteral("battery"), QStringLiteral("Battery level, 0 to 5."), QStringLiteral("N") });
    cmd.addOption(
        { QStringLiteral("signal"), QStringLiteral("Signal quality, 0 to 5."), QStringLiteral("N") });
    cmd.addOption({ QStringLiteral("focus"), QStringLiteral("Focused dock slot, -1 (none) to 9."),
        QStringLiteral("N") });
    cmd.addOption(
        { QStringLiteral("preview"), QStringLiteral("Paint the settings application's preview instead.") });
    cmd.addOption(
        { QStringLiteral("o"), QStringLiteral("The PNG file to write (required)."), QStringLiteral("FILE") });
}

/** The options of a command line that parsed; a message when a value is not one this tool takes. */
std::optional<QString> readOptions(const ToolCommandLine &cmd, Options &options)
{
    if (!cmd.positional().isEmpty())
        return QStringLiteral("unexpected argument \"%1\"").arg(cmd.positional().first());
    options.skin = cmd.value(QStringLiteral("skin"));
    options.output = cmd.value(QStringLiteral("o"));
    options.preview = cmd.isSet(QStringLiteral("preview"));
    if (cmd.isSet(QStringLiteral("at"))) {
        options.at = parseMoment(cmd.value(QStringLiteral("at")));
        if (!options.at)
            return QStringLiteral("--at takes a local time \"YYYY-MM-DD HH:MM:SS\", not \"%1\"")
                .arg(cmd.value(QStringLiteral("at")));
    }
    if (cmd.isSet(QStringLiteral("focus"))) {
        const std::optional<int> focus = parseInt(cmd.value(QStringLiteral("focus")), -1, DockSlotCount - 1);
        if (!focus)
            return QStringLiteral("--focus takes a slot from -1 to %1, not \"%2\"")
                .arg(DockSlotCount - 1)
                .arg(cmd.value(QStringLiteral("focus")));
        options.focus = *focus;
    }
    for (const QString &name : { QStringLiteral("battery"), QStringLiteral("signal") }) {
        if (!cmd.isSet(name))
            continue;
        const std::optional<int> level = parseInt(cmd.value(name), 0, 5);
        if (!level)
            return QStringLiteral("--%1 takes a level from 0 to 5, not \"%2\"").arg(name, cmd.value(name));
        (name == QLatin1String("battery") ? options.battery : options.signal) = level;
    }
    if (options.output.isEmpty())
        return QStringLiteral("-o FILE is required");
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

    ToolCommandLine cmd(QStringLiteral("kestrow-render"),
        QStringLiteral(
            "Paints one frame of a skin into a PNG file. It reads the skin from a device root and paints "
            "it as the home screen does (or, with --preview, as the settings application's preview does), "
            "and lists on standard error what of the skin it could not read."));
    addOptions(cmd);
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;
    Options options;
    if (const std::optional<QString> error = readOptions(cmd, options))
        return cmd.usageError(*error);
    // Every phone path of the loader and the platform stand-ins resolves under the device root.
    cmd.applyRoot();
    if (const std::optional<QString> problem = DeviceRootCheck::problem())
        return cmd.usageError(*problem);

    SkinModel model;
    SkinLoadOptions loadOptions;
    if (options.preview)
        loadOptions = SkinLoadOptions::preview(options.skin.isEmpty() ? currentSkin() : options.skin);
    else
        loadOptions.skinName = options.skin;
    const SkinLoadReport report = SkinLoader::load(model, loadOptions);
    for (const QString &problem : report.problems)
        cmd.error(problem);

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
        cmd.error(QStringLiteral("cannot write %1").arg(options.output));
        return 1;
    }
    return 0;
}
