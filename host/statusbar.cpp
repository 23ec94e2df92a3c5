#include "host/statusbar.h"

#include "platform/utilstatus.h"

#include <QPainter>
#include <QTime>

namespace {

void drawBars(QPainter &painter, int left, int level, bool rising)
{
    for (int i = 0; i < 5; ++i) {
        const int height = rising ? 4 + 2 * i : 10;
        const QRect bar(left + i * 5, 18 - height, 3, height);
        painter.fillRect(bar, i < level ? QColor(235, 240, 250) : QColor(255, 255, 255, 60));
    }
}

} // namespace

StatusBar::StatusBar(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(Height);
    m_minute.setSingleShot(true);
    connect(&m_minute, &QTimer::timeout, this, [this] {
        update();
        scheduleNextMinute();
    });
    scheduleNextMinute();
    m_noticeTimer.setSingleShot(true);
    m_noticeTimer.setInterval(NoticeMs);
    connect(&m_noticeTimer, &QTimer::timeout, this, [this] {
        m_notice.clear();
        update();
    });
}

void StatusBar::showNotice(const QString &text)
{
    m_notice = text;
    m_noticeTimer.start();
    update();
}

void StatusBar::refreshLevels()
{
    if (readLevels())
        update();
}

bool StatusBar::readLevels()
{
    const int signal = UTIL_GetSignalQuality();
    const int battery = UTIL_GetBatteryLevel();
    const bool changed = signal != m_signal || battery != m_battery;
    m_signal = signal;
    m_battery = battery;
    return changed;
}

void StatusBar::scheduleNextMinute()
{
    // One wake-up a minute: the bar shows hours and minutes only.
    const QTime now = QTime::currentTime();
    m_minute.start((60 - now.second()) * 1000 - now.msec() + 5);
}

void StatusBar::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 150));
    readLevels();
    drawBars(painter, 6, m_signal, true);
    drawBars(painter, width() - 32, m_battery, false);
    painter.setPen(QColor(235, 240, 250));
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    if (m_notice.isEmpty()) {
        painter.drawText(rect(), Qt::AlignCenter, QTime::currentTime().toString(QStringLiteral("HH:mm")));
        return;
    }
    // Between the signal and the battery bars.
    const QRect room = rect().adjusted(34, 0, -36, 0);
    font.setBold(false);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(QColor(255, 214, 120));
    painter.drawText(
        room, Qt::AlignCenter, painter.fontMetrics().elidedText(m_notice, Qt::ElideRight, room.width()));
}
