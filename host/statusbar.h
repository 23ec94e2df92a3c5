#pragma once

#include "platform/phonescreen.h"

#include <QTimer>
#include <QWidget>

/** The phone's status bar across the top of the screen: signal, time and battery. */
class StatusBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Height = PhoneScreen::StatusBarHeight;
    explicit StatusBar(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void scheduleNextMinute();

    QTimer m_minute;
};
