#include "host/setuplauncher.h"

#include "host/toolenvironment.h"
#include "platform/devicepath.h"
#include "platform/phonepaths.h"

#include <QFileInfo>
#include <QProcess>

#include <cstdio>

SetupLauncher::SetupLauncher(QObject *parent)
    : QObject(parent)
{ }

SetupLauncher::~SetupLauncher()
{
    // The home screen is going; the settings application does not outlive it unseen.
    if (m_process) {
        disconnect(m_process, nullptr, this, nullptr);
        m_process->terminate();
        m_process->waitForFinished(3000);
    }
}

QString SetupLauncher::program()
{
    return devicePath(PhonePaths::SetupProgram);
}

bool SetupLauncher::launch()
{
    if (m_process)
        return true;
    const QString path = program();
    if (!QFileInfo(path).isExecutable()) {
        std::fprintf(stderr,
            "kestrow-host: the settings application is not installed at %s (kestrow-device init installs "
            "it)\n",
            qPrintable(path));
        Q_EMIT failed(QStringLiteral("Settings not installed"));
        return false;
    }
    m_process = new QProcess(this);
    m_process->setProcessEnvironment(ToolEnvironment::forScripts());
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    m_process->setStandardInputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, this, &SetupLauncher::ended);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        std::fprintf(stderr, "kestrow-host: cannot start the settings application: %s\n",
            qPrintable(m_process->errorString()));
        ended();
        Q_EMIT failed(QStringLiteral("Settings did not start"));
    });
    // The plug-in pauses before the settings application shows, so no frame races its first paint.
    Q_EMIT started();
    m_process->start(path, QStringList());
    return true;
}

void SetupLauncher::ended()
{
    if (!m_process)
        return;
    m_process->deleteLater();
    m_process = nullptr;
    Q_EMIT finished();
}
