#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

/**
 * A fresh device root for one test: a temporary folder that $KESTROW_ROOT
 * names while the object lives. Phone paths given to its helpers are
 * absolute phone paths ("/ezxlocal/Kestrow/Kestrow.cfg").
 */
class TempDeviceRoot
{
public:
    TempDeviceRoot();
    ~TempDeviceRoot();

    TempDeviceRoot(const TempDeviceRoot &) = delete;
    TempDeviceRoot &operator=(const TempDeviceRoot &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_dir.path(); }
    /** The real file path of a phone path under this root. */
    QString path(const QString &phonePath) const { return m_dir.path() + phonePath; }
    /** Writes a file, creating its folders. */
    bool writeFile(const QString &phonePath, const QByteArray &content) const;
    /** Writes a solid-colour PNG of the given size. */
    bool writeImage(const QString &phonePath, int width, int height, const QColor &color) const;
    bool writeImage(const QString &phonePath, const QImage &image) const;
    /** Creates the folder "/ezxlocal/Kestrow/skin/<name>/" and writes its skin.cfg. */
    bool writeSkin(const QString &name, const QByteArray &skinCfg) const;
    /** A skin whose centre image is one colour over the whole screen, with more lines of skin.cfg. */
    bool writeSolidSkin(const QString &name, const QColor &color, const QByteArray &more = {}) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldRoot;
    bool m_hadRoot = false;
};

/** The whole content of a file ("<unreadable>" when it cannot be read). */
QByteArray readFileBytes(const QString &path);
/** Writes a whole file, creating its folders; whether every byte was written. */
bool writeFileBytes(const QString &path, const QByteArray &bytes);

/** Collects the diagnostic lines (qDebug, qWarning...) printed while it lives. */
class MessageCollector
{
public:
    MessageCollector();
    ~MessageCollector();
    MessageCollector(const MessageCollector &) = delete;
    MessageCollector &operator=(const MessageCollector &) = delete;
    QStringList lines() const;

private:
    QtMessageHandler m_previous = nullptr;
};

/** The path of a program built beside the tests. */
inline QString builtProgram(const QString &name)
{
    return QStringLiteral(KESTROW_BIN_DIR "/") + name;
}

/** What a finished program left: its exit code (-1 if it crashed or never finished) and its output. */
struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

/**
 * Runs a program to its end with input on its standard input (closed after it).
 * A program still running after waitMs is killed; err then says "did not finish".
 */
ProgramRun runProgram(const QString &program, const QStringList &arguments, const QByteArray &input = {},
    int waitMs = 60000, const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
