#pragma once

#include <QObject>

class QCopChannel;

/**
 * The home screen's message interface for the settings application and its
 * scripts: a channel of its own device root (platform/homescreenchannel.h)
 * on which "PluginOn()", "PluginOff()", "Restart()" and "Quit()" arrive.
 */
class ShellChannel : public QObject
{
    Q_OBJECT

public:
    explicit ShellChannel(QObject *parent = nullptr);

    QString name() const;

Q_SIGNALS:
    void pluginOnRequested();
    void pluginOffRequested();
    void restartRequested();
    void quitRequested();

private:
    void handle(const QByteArray &message);

    QCopChannel *m_channel;
};
