#pragma once

#include "platform/phonescreen.h"

#include <QTimer>
#include <QWidget>

/**
 * The phone's status bar across the top of the screen: signal, time and battery.
 * A notice (a launch that did not start) takes the time's place for a few seconds.
 */
class StatusBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = PhoneScreen::StatusBarHeight;
    static constexpr int NoticeMs = 4000;
    explicit StatusBar(QWidget *parent = nullptr);

    /** Shows a short text in the time's place for NoticeMs. */
    void showNotice(const QString &text);
    QString notice() const { return m_notice; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void scheduleNextMinute();

    QTimer m_minute;
    QTimer m_noticeTimer;
    QString m_notice;
};
