#include "tools/kestrow-device/settingsapp.h"

#include "data/settingsfile.h"
#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "platform/toolcommandline.h"
#include "tools/kestrow-device/rootfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

const QString AppFolder = QString(PhonePaths::AppFolder) + QLatin1Char('/');
const QStringList Scripts = { QStringLiteral("on.sh"), QStringLiteral("off.sh"), QStringLiteral("load.sh") };
const QStringList LanguageFiles = { QStringLiteral("zh-cn.lng"), QStringLiteral("en-us.lng") };

/** The application's files: installed beside the program, or else the source tree's. */
QString shippedFiles()
{
    const QStringList candidates = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/kestrow/setup"),
        QStringLiteral(KESTROW_SOURCE_DIR "/setup/files"),
    };
    for (const QString &dir : candidates) {
        if (QFileInfo::exists(dir + QStringLiteral("/load.sh")))
            return QDir::cleanPath(dir);
    }
    return QString();
}

QByteArray launcherScript(const QString &program)
{
    // bash for "exec -a": the program sees this file's path as its first argument.
    return QByteArrayLiteral("#!/bin/bash\n"
                             "# The Kestrow settings application of this device root. It runs the program\n"
                             "# built by the project under this file's name, so that its language files,\n"
                             "# images and scripts are the ones beside this file, on this device root.\n"
                             "# A plain absolute path names its folder as it stands: no subshell, no\n"
                             "# dirname to start (they cost the window's start more than bash itself).\n"
                             "case $0 in\n"
                             "*/./* | */../* | *//*) here=$(cd \"$(dirname \"$0\")\" && pwd) || exit 1 ;;\n"
                             "/?*/*) here=${0%/*} ;;\n"
                             "*) here=$(cd \"$(dirname \"$0\")\" && pwd) || exit 1 ;;\n"
                             "esac\n"
                             "export KESTROW_ROOT=\"${here%")
        + QByteArray(PhonePaths::AppFolder.latin1())
        + QByteArrayLiteral("}\"\n"
                            "exec -a \"$0\" ")
        + QFile::encodeName(shellQuote(program)) + QByteArrayLiteral(" \"$@\"\n");
}

/** Creates one file of the application; an executable one gets its execute bits. */
class Installer
{
public:
    explicit Installer(const SettingsApp::LinkReporter &reportLink)
        : m_reportLink(reportLink)
    { }

    void write(const QString &phonePath, const QByteArray &content, bool executable)
    {
        QString detail;
        const QString target = devicePath(phonePath);
        switch (RootFile::create(deviceRoot(), target, content, &detail)) {
        case RootFile::Result::Created:
            if (executable) {
                QFile::setPermissions(target,
                    QFile::permissions(target) | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup
                        | QFile::ExeOther);
            }
            return printLine(stdout, QStringLiteral("created %1").arg(phonePath));
        case RootFile::Result::Kept:
            return printLine(stdout, QStringLiteral("kept %1").arg(phonePath));
        case RootFile::Result::LinkInTheWay:
            ++m_failures;
            return m_reportLink(detail);
        case RootFile::Result::Failed:
            ++m_failures;
            return printLine(stderr, QStringLiteral("kestrow-device: %1: %2").arg(target, detail));
        }
    }

    void copy(const QString &source, const QString &phonePath, bool executable)
    {
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly)) {
            ++m_failures;
            return printLine(stderr, QStringLiteral("kestrow-device: cannot read %1").arg(source));
        }
        write(phonePath, file.readAll(), executable);
    }

    int failures() const { return m_failures; }

private:
    SettingsApp::LinkReporter m_reportLink;
    int m_failures = 0;
};

} // namespace

namespace SettingsApp {

bool isNewRoot()
{
    return !QFileInfo::exists(SettingsFile::filePath());
}

QString languageFromLocale()
{
    // The order in which the C library picks the language of messages.
    QString language = qEnvironmentVariable("LANGUAGE").section(QLatin1Char(':'), 0, 0);
    for (const char *name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        if (!language.isEmpty())
            break;
        language = qEnvironmentVariable(name);
    }
    return language.startsWith(QLatin1String("zh")) ? QStringLiteral("zh-cn") : QStringLiteral("en-us");
}

int install(bool newRoot, const LinkReporter &reportLink)
{
    const QString files = shippedFiles();
    if (files.isEmpty()) {
        printLine(stderr, QStringLiteral("kestrow-device: cannot find the settings application's files"));
        return 1;
    }
    Installer installer(reportLink);
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/kestrow-setup");
    if (QFileInfo(program).isExecutable())
        installer.write(PhonePaths::SetupProgram, launcherScript(program), true);
    else
        printLine(stderr,
            QStringLiteral("kestrow-device: %1 is not built: the settings application is left out")
                .arg(program));
    for (const QString &name : LanguageFiles)
        installer.copy(files + QLatin1Char('/') + name, AppFolder + name, false);
    const QStringList images = QDir(files + QStringLiteral("/img"))
                                   .entryList({ QStringLiteral("*.png") }, QDir::Files, QDir::Name);
    for (const QString &name : images)
        installer.copy(
            files + QStringLiteral("/img/") + name, AppFolder + QStringLiteral("img/") + name, false);
    for (const QString &name : Scripts)
        installer.copy(files + QLatin1Char('/') + name, AppFolder + name, true);
    if (newRoot)
        installer.copy(files + QStringLiteral("/load.sh"), PhonePaths::AutorunScript, true);
    return installer.failures();
}

} // namespace SettingsApp
