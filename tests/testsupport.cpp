#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

TempDeviceRoot::TempDeviceRoot()
    : m_oldRoot(qgetenv("KESTROW_ROOT"))
    , m_hadRoot(qEnvironmentVariableIsSet("KESTROW_ROOT"))
{
    if (m_dir.isValid())
        qputenv("KESTROW_ROOT", QFile::encodeName(m_dir.path()));
}

TempDeviceRoot::~TempDeviceRoot()
{
    if (m_hadRoot)
        qputenv("KESTROW_ROOT", m_oldRoot);
    else
        qunsetenv("KESTROW_ROOT");
}

bool TempDeviceRoot::writeFile(const QString &phonePath, const QByteArray &content) const
{
    return writeFileBytes(path(phonePath), content);
}

bool TempDeviceRoot::writeImage(const QString &phonePath, int width, int height, const QColor &color) const
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return writeImage(phonePath, image);
}

bool TempDeviceRoot::writeImage(const QString &phonePath, const QImage &image) const
{
    QDir().mkpath(QFileInfo(path(phonePath)).absolutePath());
    return image.save(path(phonePath), "PNG");
}

bool TempDeviceRoot::writeSkin(const QString &name, const QByteArray &skinCfg) const
{
    return writeFile(QStringLiteral("/ezxlocal/Kestrow/skin/%1/skin.cfg").arg(name), skinCfg);
}

bool TempDeviceRoot::writeSolidSkin(const QString &name, const QColor &color, const QByteArray &more) const
{
    return writeImage(QStringLiteral("/ezxlocal/Kestrow/skin/%1/mid.png").arg(name), 240, 320, color)
        && writeSkin(name, "[Background]\nMidIMG=mid.png\n" + more);
}

bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

namespace {
QStringList collectedMessages;
void collectMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    collectedMessages.append(message);
}
} // namespace

MessageCollector::MessageCollector()
{
    collectedMessages.clear();
    m_previous = qInstallMessageHandler(collectMessage);
}

MessageCollector::~MessageCollector()
{
    qInstallMessageHandler(m_previous);
}

QStringList MessageCollector::lines() const
{
    return collectedMessages;
}

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QByteArray &input,
    int waitMs, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForStarted(waitMs)) {
        run.err = "did not start: " + process.errorString().toUtf8();
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(waitMs)) {
        process.kill();
        process.waitForFinished();
        run.err = "did not finish: " + process.errorString().toUtf8();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
