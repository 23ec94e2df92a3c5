#pragma once

/** One reading of the local wall clock, as a frame's elements show it. */
struct ClockReading {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1; // 1..31
    int hour = 0; // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..60 (60: a leap second)
    int weekDay = 4; // 0 = Sunday .. 6 = Saturday
};

/**
 * The one source of time for every element of a frame. The product reads the
 * C library's local time on every call; tests and tools substitute a fixed
 * reading (FixedClock).
 */
class FrameClock
{
public:
    virtual ~FrameClock();

    virtual ClockReading now() const;

    /** The clock of the product: time() and localtime(). */
    static const FrameClock &system();
};
