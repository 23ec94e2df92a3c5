#pragma once

#include <QObject>

class QProcess;

/**
 * Starts the settings application installed in the device root
 * ("/ezxlocal/Kestrow/kestrow-setup"), as the phone's menu does, and tells
 * when it is in front and when it has ended. One runs at a time.
 */
class SetupLauncher : public QObject
{
    Q_OBJECT

public:
    explicit SetupLauncher(QObject *parent = nullptr);
    ~SetupLauncher() override;

    /** The installed program under the device root. */
    static QString program();
    bool isRunning() const { return m_process != nullptr; }
    /** Starts it unless it runs; false (one line on standard error, failed()) when it cannot. */
    bool launch();

Q_SIGNALS:
    void started();
    void finished();
    /** It could not be started: a short notice for the status line. */
    void failed(const QString &notice);

private:
    void ended();

    QProcess *m_process = nullptr;
};
