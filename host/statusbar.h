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
    /** Reads the battery and signal levels again; the bar is painted again only when one changed. */
    void refreshLevels();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void scheduleNextMinute();
    // True when a level differs from what the bar showed.
    bool readLevels();

    QTimer m_minute;
    QTimer m_noticeTimer;
    QString m_notice;
    // The levels the bar shows, -1 before the first reading.
    int m_signal = -1;
    int m_battery = -1;
};
