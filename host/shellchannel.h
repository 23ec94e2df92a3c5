#pragma once

#include <QObject>

class QCopChannel;

/**
 * The home screen's message interface for the settings application and its
 * scripts: a channel of its own device root (platform/homescreenchannel.h)
 * on which "PluginOn()", "PluginOff()" and "Restart()" arrive.
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

private:
    void handle(const QByteArray &message);

    QCopChannel *m_channel;
};
