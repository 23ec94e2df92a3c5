#include "platform/amlauncherclient.h"

#include "platform/devicepath.h"
#include "platform/phonepaths.h"
#include "platform/regularfile.h"
#include "platform/zconfig.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gio/gdesktopappinfo.h>

namespace {

// Ids and arguments come from files the user can edit: keep one launch on
// one line of the log, whatever they hold.
QByteArray escaped(const QString &text)
{
    QByteArray out;
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

const char *resultName(int result)
{
    switch (result) {
    case AM_LauncherClient::Started:
        return "started";
    case AM_LauncherClient::NotFound:
        return "not-found";
    default:
        return "failed";
    }
}

void appendToLog(const QString &id, const QString &arg, int initiator, bool first, bool second, int result)
{
    const QString file = devicePath(AM_LauncherClient::launchLogPath());
    QDir().mkpath(QFileInfo(file).absolutePath());
    const QByteArray line = escaped(id) + '\t' + escaped(arg) + '\t' + QByteArray::number(initiator) + '\t'
        + (first ? '1' : '0') + '\t' + (second ? '1' : '0') + '\t' + resultName(result) + '\t'
        + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() + '\n';
    // Only a regular file is written: a pipe put at the log's place must not freeze the home screen.
    QString error;
    if (!RegularFile::append(file, line, &error))
        qWarning("launcher: cannot write %s: %s", qPrintable(file), qPrintable(error));
}

GDesktopAppInfo *findDesktopEntry(const QString &id)
{
    if (id.isEmpty())
        return nullptr;
    GDesktopAppInfo *info = g_desktop_app_info_new(id.toUtf8().constData());
    if (!info && !id.endsWith(QLatin1String(".desktop")))
        info = g_desktop_app_info_new((id + QLatin1String(".desktop")).toUtf8().constData());
    return info;
}

int startDesktopEntry(const QString &id)
{
    GDesktopAppInfo *info = findDesktopEntry(id);
    if (!info)
        return AM_LauncherClient::NotFound;
    // GLib spawns the program from the entry's Exec line itself (no shell)
    // and does not wait for it.
    GError *error = nullptr;
    const gboolean launched = g_app_info_launch(G_APP_INFO(info), nullptr, nullptr, &error);
    if (!launched) {
        qWarning("launcher: cannot start %s: %s", qPrintable(id), error ? error->message : "unknown error");
        g_clear_error(&error);
    }
    g_object_unref(info);
    return launched ? AM_LauncherClient::Started : AM_LauncherClient::Failed;
}

// An installed application's program: "Directory" + "/" + "ExecId" of its group in the
// installed-applications registry, a phone path. The ExecId is one file name and the folder
// stays below the root, so a registry entry cannot name a program elsewhere.
QString installedProgram(const QString &id)
{
    const QString registry = devicePath(AppRegistries::InstalledDb);
    if (id.isEmpty() || !QFileInfo(registry).isFile())
        return QString();
    const ZConfig installed(registry);
    const QString directory = installed.readEntry(id, QStringLiteral("Directory"));
    const QString execId = installed.readEntry(id, QStringLiteral("ExecId"));
    if (!directory.startsWith(QLatin1Char('/')) || execId.isEmpty() || execId.contains(QLatin1Char('/'))
        || execId == QLatin1String("..") || execId == QLatin1String("."))
        return QString();
    const QString phonePath = QDir::cleanPath(directory + QLatin1Char('/') + execId);
    if (phonePath.startsWith(QLatin1String("/..")))
        return QString();
    return phonePath;
}

int startInstalled(const QString &phonePath)
{
    const QFileInfo program(devicePath(phonePath));
    if (!program.isFile() || !program.isExecutable())
        return AM_LauncherClient::NotFound;
    // Started directly, without a shell, in its own folder; the device root goes with it so
    // that the application finds the phone's files where this process finds them.
    QProcess process;
    process.setProgram(program.absoluteFilePath());
    process.setWorkingDirectory(program.absolutePath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!deviceRoot().isEmpty())
        environment.insert(QStringLiteral("KESTROW_ROOT"), deviceRoot());
    process.setProcessEnvironment(environment);
    if (!process.startDetached()) {
        qWarning("launcher: cannot start %s: %s", qPrintable(program.filePath()),
            qPrintable(process.errorString()));
        return AM_LauncherClient::Failed;
    }
    return AM_LauncherClient::Started;
}

// The phone's own registry comes first: an id it names is an installed application even
// when a desktop entry of the same name exists.
int start(const QString &id)
{
    const QString installed = installedProgram(id);
    if (!installed.isEmpty())
        return startInstalled(installed);
    return startDesktopEntry(id);
}

} // namespace

int AM_LauncherClient::launchAppObject(QString const &id, QString const &arg,
    AM_LauncherClient::AM_LAUNCHER_INITIATOR_T initiator, bool first, bool second)
{
    return launchAppObject(id, arg, static_cast<int>(initiator), first, second);
}

int AM_LauncherClient::launchAppObject(
    QString const &id, QString const &arg, int initiator, bool first, bool second)
{
    const int result = start(id);
    appendToLog(id, arg, initiator, first, second, result);
    return result;
}

QString AM_LauncherClient::launchLogPath()
{
    return PhonePaths::LaunchLog;
}
