#include "host/autorun.h"

#include "host/toolenvironment.h"
#include "platform/devicepath.h"
#include "platform/phonepaths.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <signal.h>
#include <unistd.h>

Autorun::Autorun(QObject *parent)
    : QObject(parent)
{ }

Autorun::~Autorun()
{
    // The scripts' background children (a slow loop, a sleep) go with the home screen.
    for (const qint64 group : std::as_const(m_groups))
        ::kill(pid_t(-group), SIGTERM);
}

QStringList Autorun::scripts()
{
    const QDir folder(devicePath(PhonePaths::AutorunFolder));
    QStringList names = folder.entryList({ QStringLiteral("S*") }, QDir::Files | QDir::Hidden, QDir::NoSort);
    // Byte order of the names, as the phone's start-up lists them.
    std::sort(names.begin(), names.end(),
        [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    QStringList paths;
    for (const QString &name : std::as_const(names)) {
        const QFileInfo info(folder.filePath(name));
        // A link could lead anywhere; only the root's own files run.
        if (info.isFile() && !info.isSymLink())
            paths << info.filePath();
    }
    return paths;
}

void Autorun::start()
{
    m_queue = scripts();
    runNext();
}

void Autorun::runNext()
{
    if (m_current) {
        // Done or out of patience: a script still running goes on without us.
        disconnect(m_current, nullptr, this, nullptr);
        if (m_current->state() == QProcess::NotRunning)
            m_current->deleteLater();
        else
            connect(m_current, &QProcess::finished, m_current, &QObject::deleteLater);
        m_current = nullptr;
    }
    if (m_queue.isEmpty()) {
        Q_EMIT finished();
        return;
    }
    const QString script = m_queue.takeFirst();
    QProcess *process = new QProcess(this);
    m_current = process;
    process->setProcessEnvironment(ToolEnvironment::forScripts());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(process, &QProcess::started, this, [this, process] { m_groups.append(process->processId()); });
    const auto moveOn = [this, process] {
        if (m_current == process)
            runNext();
    };
    connect(process, &QProcess::finished, this, moveOn);
    connect(process, &QProcess::errorOccurred, this, [process, script, moveOn](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        std::fprintf(stderr, "kestrow-host: cannot run the autorun script %s\n", qPrintable(script));
        QTimer::singleShot(0, process, moveOn);
    });
    QTimer::singleShot(ScriptPatienceMs, process, moveOn);
    process->start(QStringLiteral("sh"), { script });
}
