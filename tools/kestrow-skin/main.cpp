// kestrow-skin: the skin author's and the skin user's tool. lint checks skin folders the way the home
// screen loads them; pack makes a skin folder one ".kskin" file to share; install, remove and list
// keep the device root's skin folder, installing a package only when every entry of it is sound.
#include "data/deviceroot.h"
#include "data/settingsfile.h"
#include "data/skinlint.h"
#include "data/skinloader.h"
#include "data/skinnames.h"
#include "platform/phonechannels.h"
#include "platform/qcopchannel.h"
#include "platform/toolcommandline.h"
#include "platform/zconfig.h"
#include "tools/kestrow-skin/skinfolder.h"
#include "tools/kestrow-skin/skinpackage.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

const char Epilogue[]
    = "Commands:\n"
      "  lint DIR...               Check the skin folders DIR... (with --root and no DIR: the skin in use).\n"
      "  pack DIR [-o FILE]        Pack the skin folder DIR into FILE (default: DIR's name.kskin here).\n"
      "  install FILE [--replace]  Install the skin package FILE into the device root's skin folder.\n"
      "  remove NAME               Remove the installed skin NAME; never the skin in use.\n"
      "  list                      The installed skins: folder, name, author; * marks the skin in use.\n"
      "\n"
      "install, remove and list work on the device root of --root DIR or $KESTROW_ROOT. A package is\n"
      "a ZIP archive of regular files and folders under one top folder, the skin's name, with its\n"
      "skin.cfg; at most 1000 entries and 64 MiB unpacked.\n"
      "\n"
      "lint prints each finding as one line, FILE:LINE: warning|error: message, and exits 0 without\n"
      "findings, 1 with warnings only, 2 with errors. The other commands exit 0 when done, 1 when\n"
      "refused (one line says why), 2 on a usage error.\n";

constexpr int Refused = 1;

const QString Commands = QStringLiteral("lint, pack, install, remove or list");

int refuse(const ToolCommandLine &cmd, const QString &message)
{
    cmd.error(message);
    return Refused;
}

int lint(const ToolCommandLine &cmd, QStringList dirs)
{
    if (dirs.isEmpty()) {
        if (!cmd.isSet(QStringLiteral("root")) && qEnvironmentVariableIsEmpty("KESTROW_ROOT"))
            return cmd.usageError(
                QStringLiteral("lint needs a skin folder (or --root DIR for the skin in use)"));
        cmd.applyRoot();
        const QString dir = SkinLoader::skinDirectory(SettingsFile::skin(ZConfig(SettingsFile::filePath())));
        if (dir.isEmpty())
            return cmd.usageError(QStringLiteral("[Main] Skin names no skin folder"));
        dirs.append(dir);
    }
    int status = 0;
    for (const QString &dir : std::as_const(dirs)) {
        const QList<SkinFinding> findings = SkinLint::lint(dir);
        for (const QString &line : SkinLint::lines(findings))
            printLine(stdout, line);
        status = std::max(status, SkinLint::exitCode(findings));
    }
    return status;
}

/** The regular files of a skin folder, relative to it; hidden names are an editor's, not the skin's. */
QStringList packedFiles(const QString &dir, qint64 *bytes)
{
    QStringList files;
    const QDir root(dir);
    QDirIterator it(root.absolutePath(),
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString relative = root.relativeFilePath(info.absoluteFilePath());
        if (relative.startsWith(QLatin1Char('.')) || relative.contains(QLatin1String("/.")) || info.isDir())
            continue;
        if (info.isSymLink() || !info.isFile()) {
            printLine(stdout, QStringLiteral("left out %1: not a regular file").arg(relative));
            continue;
        }
        files.append(relative);
        *bytes += info.size();
    }
    files.sort();
    return files;
}

int pack(const ToolCommandLine &cmd, const QString &dir)
{
    const QFileInfo folder(dir);
    const QString name = QFileInfo(folder.canonicalFilePath()).fileName();
    if (!folder.isDir())
        return refuse(cmd, QStringLiteral("%1: not a folder").arg(dir));
    if (!SkinPackage::isTopFolderName(name))
        return refuse(cmd, QStringLiteral("%1: \"%2\" is not a skin name").arg(dir, name));
    if (!QFileInfo(dir + QStringLiteral("/skin.cfg")).isFile())
        return refuse(cmd, QStringLiteral("%1: no skin.cfg in it").arg(dir));
    for (const QString &line : SkinLint::lines(SkinLint::lint(dir)))
        printLine(stdout, line);
    qint64 bytes = 0;
    const QStringList files = packedFiles(dir, &bytes);
    if (files.size() > SkinPackage::MaxEntries || bytes > SkinPackage::MaxUnpackedBytes)
        return refuse(cmd,
            QStringLiteral("%1: %2 files of %3 bytes; a package holds at most %4 files and %5 MiB")
                .arg(dir)
                .arg(files.size())
                .arg(bytes)
                .arg(SkinPackage::MaxEntries)
                .arg(SkinPackage::MaxUnpackedBytes >> 20));
    const QString file
        = cmd.isSet(QStringLiteral("o")) ? cmd.value(QStringLiteral("o")) : name + QStringLiteral(".kskin");
    const QString problem = SkinPackage::write(file, folder.canonicalFilePath(), name, files);
    if (!problem.isEmpty())
        return refuse(cmd, problem);
    printLine(stdout,
        QStringLiteral("packed %1 into %2: %3 %4")
            .arg(name, file)
            .arg(files.size())
            .arg(files.size() == 1 ? QStringLiteral("file") : QStringLiteral("files")));
    return 0;
}

QString described(const QString &folder)
{
    const ZConfig cfg(folder + QStringLiteral("/skin.cfg"));
    const QString name = cfg.readEntry(SkinNames::General::Group, SkinNames::General::SkinName, QString());
    const QString author = cfg.readEntry(SkinNames::General::Group, SkinNames::General::Author, QString());
    return name + QLatin1Char('\t') + author;
}

int install(const ToolCommandLine &cmd, const QString &file, bool replace)
{
    SkinFolder folder;
    QString error;
    const QString temporary = folder.open(&error) ? folder.makeTemporary(&error) : QString();
    if (temporary.isEmpty())
        return refuse(cmd, error);
    QString name;
    QString problem = SkinPackage::unpack(file, temporary, &name);
    if (problem.isEmpty() && !replace && folder.exists(name))
        problem = QStringLiteral("a skin \"%1\" is installed already (--replace replaces it)").arg(name);
    if (problem.isEmpty()) {
        // The findings name the files where they will stand.
        for (QString line : SkinLint::lines(SkinLint::lint(temporary)))
            printLine(stdout, line.replace(temporary, folder.skinPath(name)));
        folder.place(temporary, name, replace, &problem);
    }
    if (!problem.isEmpty()) {
        SkinFolder::discard(temporary);
        return refuse(cmd, QStringLiteral("%1: %2; nothing installed").arg(file, problem));
    }
    printLine(stdout, QStringLiteral("installed %1 in %2").arg(name, folder.skinPath(name)));
    if (folder.isInUse(name)
        && QCopChannel::send(QString(PhoneChannels::Plugin), QByteArray(PhoneChannels::Reload)))
        printLine(
            stdout, QStringLiteral("%1 is the skin in use: the home screen was asked to reload").arg(name));
    return 0;
}

int remove(const ToolCommandLine &cmd, const QString &name)
{
    SkinFolder folder;
    QString error;
    if (!folder.open(&error))
        return refuse(cmd, error);
    if (folder.isInUse(name))
        return refuse(cmd, QStringLiteral("\"%1\" is the skin in use; choose another skin first").arg(name));
    if (!folder.remove(name, &error))
        return refuse(cmd, error);
    printLine(stdout, QStringLiteral("removed %1").arg(folder.skinPath(name)));
    return 0;
}

int list(const ToolCommandLine &cmd)
{
    SkinFolder folder;
    QString error;
    if (!folder.open(&error))
        return refuse(cmd, error);
    for (const QString &name : folder.skins()) {
        const QString mark = folder.isInUse(name) ? QStringLiteral("* ") : QStringLiteral("  ");
        printLine(stdout, mark + name + QLatin1Char('\t') + described(folder.skinPath(name)));
    }
    return 0;
}

/** The usage error of a command given the wrong arguments or options; empty when they fit. */
QString misuse(const ToolCommandLine &cmd, const QString &command, qsizetype arguments)
{
    if (cmd.isSet(QStringLiteral("o")) && command != QLatin1String("pack"))
        return QStringLiteral("-o is for pack only");
    if (cmd.isSet(QStringLiteral("replace")) && command != QLatin1String("install"))
        return QStringLiteral("--replace is for install only");
    if (command == QLatin1String("pack") && arguments != 1)
        return QStringLiteral("pack takes one skin folder: pack DIR [-o FILE]");
    if (command == QLatin1String("install") && arguments != 1)
        return QStringLiteral("install takes one package: install FILE [--replace]");
    if (command == QLatin1String("remove") && arguments != 1)
        return QStringLiteral("remove takes one skin name: remove NAME");
    if (command == QLatin1String("list") && arguments != 0)
        return QStringLiteral("list takes no arguments");
    return QString();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ToolCommandLine cmd(
        QStringLiteral("kestrow-skin"), QStringLiteral("Checks, packs, installs and removes Kestrow skins."));
    cmd.addRootOption();
    cmd.addOption(
        { QStringLiteral("o"), QStringLiteral("pack: the package file to write."), QStringLiteral("FILE") });
    cmd.addOption(
        { QStringLiteral("replace"), QStringLiteral("install: replace an installed skin of that name.") });
    cmd.parser().addPositionalArgument(QStringLiteral("COMMAND"), Commands + u'.');
    cmd.parser().addPositionalArgument(
        QStringLiteral("ARGS"), QStringLiteral("The command's arguments."), QStringLiteral("[ARGS...]"));
    cmd.setEpilogue(QLatin1String(Epilogue));
    if (const std::optional<int> done = cmd.process(app.arguments()))
        return *done;

    QStringList args = cmd.positional();
    if (args.isEmpty())
        return cmd.usageError(QStringLiteral("a command is needed: %1").arg(Commands));
    const QString command = args.takeFirst();
    const QStringList known = { QStringLiteral("lint"), QStringLiteral("pack"), QStringLiteral("install"),
        QStringLiteral("remove"), QStringLiteral("list") };
    if (!known.contains(command))
        return cmd.usageError(
            QStringLiteral("unknown command \"%1\"; the commands are %2").arg(command, Commands));
    if (const QString problem = misuse(cmd, command, args.size()); !problem.isEmpty())
        return cmd.usageError(problem);
    if (command == QLatin1String("lint"))
        return lint(cmd, args);
    if (command == QLatin1String("pack"))
        return pack(cmd, args.first());
    cmd.applyRoot();
    if (const std::optional<QString> problem = DeviceRootCheck::problem())
        return cmd.usageError(*problem);
    if (command == QLatin1String("install"))
        return install(cmd, args.first(), cmd.isSet(QStringLiteral("replace")));
    if (command == QLatin1String("remove"))
        return remove(cmd, args.first());
    return list(cmd);
}
