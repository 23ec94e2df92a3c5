#include "platform/amlauncherclient.h"

#include "platform/devicepath.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    QFile log(file);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        qWarning("launcher: cannot write %s: %s", qPrintable(file), qPrintable(log.errorString()));
        return;
    }
    const QByteArray line = escaped(id) + '\t' + escaped(arg) + '\t' + QByteArray::number(initiator) + '\t'
        + (first ? '1' : '0') + '\t' + (second ? '1' : '0') + '\t' + resultName(result) + '\t'
        + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() + '\n';
    log.write(line);
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

int start(const QString &id)
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
    return QStringLiteral("/ezxlocal/Kestrow/run/launches.log");
}
