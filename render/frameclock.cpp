#include "render/frameclock.h"

#include <ctime>

FrameClock::~FrameClock() = default;

ClockReading FrameClock::now() const
{
    const std::time_t t = std::time(nullptr);
    std::tm local {};
    if (!localtime_r(&t, &local))
        return {};
    ClockReading r;
    r.year = local.tm_year + 1900;
    r.month = local.tm_mon + 1;
    r.day = local.tm_mday;
    r.hour = local.tm_hour;
    r.minute = local.tm_min;
    r.second = local.tm_sec;
    r.weekDay = local.tm_wday;
    return r;
}

const FrameClock &FrameClock::system()
{
    static const FrameClock clock;
    return clock;
}
