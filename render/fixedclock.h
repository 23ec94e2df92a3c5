#pragma once

#include "render/frameclock.h"

#include <QDateTime>

/** A clock that always reads the same moment: for tests and for rendering a skin at a chosen time. */
class FixedClock : public FrameClock
{
public:
    explicit FixedClock(const ClockReading &reading);
    /** Local time of the given moment; the week day follows from the date. */
    explicit FixedClock(const QDateTime &moment);

    ClockReading now() const override;
    void setReading(const ClockReading &reading);

    /** The reading of a local date and time (no leap second: QTime has none). */
    static ClockReading readingOf(const QDateTime &moment);

private:
    ClockReading m_reading;
};
