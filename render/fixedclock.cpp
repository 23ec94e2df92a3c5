#include "render/fixedclock.h"

FixedClock::FixedClock(const ClockReading &reading)
    : m_reading(reading)
{ }

FixedClock::FixedClock(const QDateTime &moment)
    : m_reading(readingOf(moment))
{ }

ClockReading FixedClock::now() const
{
    return m_reading;
}

void FixedClock::setReading(const ClockReading &reading)
{
    m_reading = reading;
}

ClockReading FixedClock::readingOf(const QDateTime &moment)
{
    const QDateTime local = moment.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    ClockReading r;
    r.year = d.year();
    r.month = d.month();
    r.day = d.day();
    r.hour = t.hour();
    r.minute = t.minute();
    r.second = t.second();
    r.weekDay = d.dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7
    return r;
}
