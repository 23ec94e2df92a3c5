#include "platform/toolcommandline.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

void print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

void printLine(FILE *stream, const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

QString shellQuote(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool chooseHeadlessPlatform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}

ToolCommandLine::ToolCommandLine(const QString &tool, const QString &description)
    : m_tool(tool)
{
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(QCommandLineOption(QStringList { QStringLiteral("h"), QStringLiteral("help") },
        QStringLiteral("Print this help and exit.")));
}

void ToolCommandLine::addRootOption()
{
    m_hasRoot = true;
    m_parser.addOption(QCommandLineOption(QStringLiteral("root"),
        QStringLiteral("Device root folder: phone paths resolve under it. Default: $KESTROW_ROOT."),
        QStringLiteral("DIR")));
}

std::optional<int> ToolCommandLine::process(const QStringList &arguments)
{
    if (!m_parser.parse(arguments))
        return usageError(m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        print(stdout, helpText());
        return 0;
    }
    return std::nullopt;
}

QString ToolCommandLine::helpText() const
{
    // Qt names the program after argv[0]; the help names it as it is installed.
    QString text = m_parser.helpText();
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString first = text.left(end);
    const qsizetype options = first.indexOf(QLatin1String(" [options]"));
    if (first.startsWith(QLatin1String("Usage: ")) && options > 0)
        text.replace(7, options - 7, m_tool);
    if (!m_epilogue.isEmpty())
        text += QLatin1Char('\n') + m_epilogue + (m_epilogue.endsWith(QLatin1Char('\n')) ? "" : "\n");
    return text;
}

int ToolCommandLine::usageError(const QString &message) const
{
    error(message);
    return UsageError;
}

void ToolCommandLine::error(const QString &message) const
{
    print(stderr, m_tool + QStringLiteral(": ") + message + QLatin1Char('\n'));
}

void ToolCommandLine::applyRoot() const
{
    if (m_hasRoot && m_parser.isSet(QStringLiteral("root")))
        qputenv(
            "KESTROW_ROOT", QFile::encodeName(QDir(m_parser.value(QStringLiteral("root"))).absolutePath()));
}
