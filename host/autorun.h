#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QProcess;

/**
 * The phone's start-up scripts: every regular file in
 * "/ezxlocal/download/mystuff/unKnown/" whose name begins with "S", run with
 * `sh` one after the other in name order, each with the device root in
 * $KESTROW_ROOT and the home screen's own tools first in $PATH. A script that
 * is still running after a while is left running and the next one starts.
 * Each script runs in a process group of its own, which ends with the home
 * screen: nothing a script started outlives it.
 */
class Autorun : public QObject
{
    Q_OBJECT

public:
    static constexpr int ScriptPatienceMs = 10000;

    explicit Autorun(QObject *parent = nullptr);
    ~Autorun() override;

    /** The scripts of the current device root, in the order they run. */
    static QStringList scripts();
    void start();

Q_SIGNALS:
    void finished();

private:
    void runNext();

    QStringList m_queue;
    QProcess *m_current = nullptr;
    // The process groups of the scripts started: each script's process id.
    QList<qint64> m_groups;
};
