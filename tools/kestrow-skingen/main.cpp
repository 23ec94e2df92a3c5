// kestrow-skingen OUTDIR: draws the shipped skins and the device wallpaper into OUTDIR
// (OUTDIR/default/, OUTDIR/analog/, OUTDIR/wallpaper/kestrow-dusk.png). Every run writes the same bytes,
// so the committed skins/ folder is regenerated with: kestrow-skingen skins
#include "platform/toolcommandline.h"
#include "tools/kestrow-skingen/analogskin.h"
#include "tools/kestrow-skingen/defaultskin.h"
#include "tools/kestrow-skingen/outlinefont.h"
#include "tools/kestrow-skingen/outputfolder.h"
#include "tools/kestrow-skingen/wallpaper.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

namespace {
bool fontsReadable()
{
    bool ok = true;
    for (const QString &file : { FontFiles::latinBold(), FontFiles::chinese() }) {
        if (!OutlineFont(file, 12).isValid()) {
            printLine(stderr,
                QStringLiteral("kestrow-skingen: cannot read the font %1 (see scripts/install-deps.sh)")
                    .arg(file));
            ok = false;
        }
    }
    return ok;
}
} // namespace

int main(int argc, char **argv)
{
    // Drawing needs no display; the font outlines need only the platform's font database.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ToolCommandLine cmd(QStringLiteral("kestrow-skingen"),
        QStringLiteral(
            "Draws the shipped skins and the device wallpaper into OUTDIR: OUTDIR/default/, "
            "OUTDIR/analog/, OUTDIR/wallpaper/kestrow-dusk.png. Every run writes the same bytes."));
    cmd.parser().addPositionalArgument(QStringLiteral("OUTDIR"), QStringLiteral("Output folder."));
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;
    const QStringList args = cmd.positional();
    if (args.size() != 1)
        return cmd.usageError(QStringLiteral("one output folder is needed, OUTDIR"));
    if (!fontsReadable())
        return 1;

    OutputFolder out(QDir::cleanPath(args.first()));
    DefaultSkin::write(out);
    AnalogSkin::write(out);
    out.png(QStringLiteral("wallpaper/kestrow-dusk.png"), Wallpaper::dusk());

    for (const QString &error : out.errors())
        printLine(stderr, QStringLiteral("kestrow-skingen: ") + error);
    if (!out.errors().isEmpty())
        return 1;
    printLine(stdout,
        QStringLiteral("kestrow-skingen: wrote %1 files into %2")
            .arg(out.written().size())
            .arg(args.first()));
    return 0;
}
