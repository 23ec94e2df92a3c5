#include "render/lunarcalendar.h"

#include <QDate>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// What every painted frame costs: one recent date.
void convertRecentDate(benchmark::State &state)
{
    LunarCalendar calendar;
    QString text;
    tagDate date { 23, 5, 2026 };
    for (auto _ : state) {
        calendar.GetDayOf(date, text);
        benchmark::DoNotOptimize(text.constData());
    }
}
BENCHMARK(convertRecentDate);

// 100,000 consecutive days, as the command-line tool meets them; past the
// end of the table they start again at its first day.
void convertConsecutiveDates(benchmark::State &state)
{
    std::vector<tagDate> dates;
    dates.reserve(100000);
    QDate day(1921, 2, 8);
    for (int n = 0; n < 100000; ++n) {
        dates.push_back(tagDate { day.day(), day.month(), day.year() });
        day = day.year() == 2100 && day.month() == 12 && day.day() == 31 ? QDate(1921, 2, 8) : day.addDays(1);
    }
    LunarCalendar calendar;
    QString text;
    for (auto _ : state) {
        for (tagDate &date : dates) {
            calendar.GetDayOf(date, text);
            benchmark::DoNotOptimize(text.constData());
        }
    }
    state.SetItemsProcessed(state.iterations() * qint64(dates.size()));
}
BENCHMARK(convertConsecutiveDates)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
