#pragma once
#include <ctime>
#include <set>
#include <vector>

// The days a recurring event covers, worked out with plain calendar arithmetic
// (calendar/civil_date.h) for every date from 0001-01-01 to 9999-12-31. Times
// are wall-clock seconds of the event's own time zone counted from 1970-01-01
// 00:00 (negative before it), so the day of a time is its floor division by
// 86400 and no time zone or 32-bit clock takes part.

enum class Frequency { secondly, minutely, hourly, daily, weekly, monthly, yearly };

struct WeekdayInRule {
    int weekday;   // 0 = Sunday .. 6 = Saturday
    int position;  // 0: every such weekday; n > 0: the n-th; n < 0: the n-th from the end
};

// A recurrence rule as iCalendar writes it (RRULE); empty lists are absent parts.
struct RecurrenceRule {
    Frequency frequency = Frequency::daily;
    long long interval = 1;
    long long count = 0;            // 0: no COUNT
    bool hasUntil = false;
    long long until = 0;            // wall-clock seconds, inclusive
    int weekStart = 1;              // 0 = Sunday .. 6 = Saturday
    std::vector<int> seconds{}, minutes{}, hours{}, monthDays{}, yearDays{}, weekNumbers{}, months{}, setPositions{};
    std::vector<WeekdayInRule> weekdays{};
};

// Starts an occurrence must not have (EXDATE): exact times, and whole days for
// dates without a time.
struct Exclusions {
    std::set<long long> starts;
    std::set<long long> days;
    bool excludes(long long start) const;
};

// A limit on the processor time some work may take: counted in processor time,
// so that a busy machine does not turn a sound file away.
struct WorkBudget {
    std::clock_t end;
    bool spent() const { return std::clock() > end; }
};

struct DayRange {
    long long first, last;  // inclusive, in days from 1970-01-01
};

// Calls mark(context, day) for every day of `range` that an occurrence of
// `rule` covers, an occurrence lasting `duration` seconds from its start (a
// positive duration that ends at midnight does not reach the next day). The
// work is bounded by the days between `start` and the range's end, and is
// given up when `budget` is spent: false then, true when every day was marked.
bool markRecurrence(const RecurrenceRule& rule, long long start, long long duration, DayRange range,
                    const Exclusions& exclusions, WorkBudget budget,
                    void (*mark)(void* context, long long day), void* context);

// The days from `start` to the end of an occurrence lasting `duration` seconds,
// limited to `range`.
void markSpan(long long start, long long duration, DayRange range, void (*mark)(void* context, long long day),
              void* context);

// The first and last days the recurrence arithmetic covers: 0001-01-01 and 9999-12-31.
long long firstSupportedDay();
long long lastSupportedDay();
