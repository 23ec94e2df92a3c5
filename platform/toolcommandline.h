#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

/** Prints the line and a newline on the stream, in UTF-8, as every program's output lines go. */
void printLine(FILE *stream, const QString &line);

/** The text as one shell word: in single quotes, each quote inside written '\''. */
QString shellQuote(const QString &text);

/**
 * Without a display a window still runs, off screen, so that scripts, captures and measurements
 * work on a headless machine. True when it chose the off-screen platform.
 */
bool chooseHeadlessPlatform();

/**
 * The command line of every Kestrow program, read one way: "--help" prints the
 * usage on standard output and exits 0; a usage error prints one line naming
 * the problem on standard error and exits 2 (an option missing its value is
 * said so); "--root DIR" means the same as $KESTROW_ROOT.
 */
class ToolCommandLine
{
public:
    static constexpr int UsageError = 2;

    /** @p tool is the program's name; @p description its one-paragraph help. */
    ToolCommandLine(const QString &tool, const QString &description);

    /** The parser, to add the tool's own options and positional arguments to. */
    QCommandLineParser &parser() { return m_parser; }
    void addOption(const QCommandLineOption &option) { m_parser.addOption(option); }
    /** Adds "--root DIR". */
    void addRootOption();
    /** Text after the options in --help: commands, examples, exit codes. */
    void setEpilogue(const QString &text) { m_epilogue = text; }

    /**
     * Reads the arguments (the first is the program). The exit code when the program is done
     * (0 after --help, 2 after a usage error, already reported); nullopt when it should run.
     */
    std::optional<int> process(const QStringList &arguments);

    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    QString value(const QString &name) const { return m_parser.value(name); }
    QStringList positional() const { return m_parser.positionalArguments(); }

    QString helpText() const;
    /** Prints "tool: message" on standard error and returns 2. */
    int usageError(const QString &message) const;
    /** Prints "tool: message" on standard error. */
    void error(const QString &message) const;

    /**
     * Makes "--root DIR", when given, the device root of this process ($KESTROW_ROOT, made absolute),
     * so that every phone path resolves under it.
     */
    void applyRoot() const;

private:
    QString m_tool;
    QString m_epilogue;
    QCommandLineParser m_parser;
    bool m_hasRoot = false;
};
