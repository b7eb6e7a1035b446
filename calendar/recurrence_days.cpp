#include "calendar/recurrence_days.h"

#include "calendar/civil_date.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>
#include <optional>

namespace {

constexpr long long secondsPerDay = 86400;

constexpr long long floorDiv(long long a, long long b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

constexpr long long floorMod(long long a, long long b)
{
    return a - floorDiv(a, b) * b;
}

struct Date {
    long long year;
    int month, day;
};

// The inverse of daysFromCivil, by the same 400-year eras: every intermediate
// value is non-negative, so it is exact for any day a long long holds.
constexpr Date civilFromDays(long long days)
{
    days += 719468;
    const long long era = floorDiv(days, 146097);
    const long long dayOfEra = days - era * 146097;                                                 // [0, 146096]
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // [0, 399]
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);      // [0, 365]
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;                                        // [0, 11], March first
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}
static_assert(civilFromDays(0).year == 1970 && civilFromDays(-1).month == 12 && civilFromDays(59).day == 1);

// What the rule parts ask of a day.
struct DayFacts {
    long long days;
    Date date;
    int weekday, yearDay, yearLength, monthLength;
};

DayFacts factsOf(long long days)
{
    const Date date = civilFromDays(days);
    const long long january1 = daysFromCivil(date.year, 1, 1);
    return {days,
            date,
            weekdayFromDays(days),
            static_cast<int>(days - january1 + 1),
            isLeapYear(date.year) ? 366 : 365,
            daysInMonth(date.year, date.month)};
}

bool contains(const std::vector<int>& list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// A list's members as flags over 0..N-1; an absent part allows every value.
template <std::size_t N>
std::array<bool, N> allowed(const std::vector<int>& list)
{
    std::array<bool, N> flags{};
    flags.fill(list.empty());
    for (int value : list)
        if (value >= 0 && value < static_cast<int>(N))
            flags[value] = true;
    return flags;
}

// A part that the rule leaves out takes its value from the start.
std::vector<int> orDefault(std::vector<int> list, int fallback, int limit)
{
    std::erase_if(list, [limit](int value) { return value < 0 || value >= limit; });
    if (list.empty())
        list.push_back(fallback);
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

// The positions BYSETPOS picks from `size` ordered candidates, in order.
std::vector<long long> pickedPositions(const std::vector<int>& positions, long long size)
{
    std::vector<long long> picked;
    for (int position : positions) {
        const long long index = position > 0 ? position - 1 : size + position;
        if (position != 0 && index >= 0 && index < size)
            picked.push_back(index);
    }
    std::sort(picked.begin(), picked.end());
    picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
    return picked;
}

// A rule with a COUNT is followed from its start. The calendar repeats
// exactly every 400 years (146097 days, 20871 weeks, 4800 months), so a
// rule's occurrences repeat in blocks of whole 400-year cycles that are also
// whole intervals: once the second block has been counted, the blocks that end
// before the page are passed over by multiplying.
class BlockSkip {
public:
    // `origin` and `length` in periods of the rule (days for finer rules); a
    // length of 0 or more than the calendar's days skips nothing.
    BlockSkip(long long origin, long long length) : origin_(origin), length_(length > 4'000'000 ? 0 : length) {}

    // Where to go on from `position`, with `counted` occurrences so far, on the
    // way to `target`; past every position when no more can come.
    long long advance(long long position, long long target, long long& counted, long long count)
    {
        if (length_ == 0 || seen_ == 2)
            return position;
        if (seen_ == 0 && position >= origin_ + length_) {
            seen_ = 1;
            countedAtBlock1_ = counted;
        }
        if (seen_ == 1 && position >= origin_ + 2 * length_) {
            seen_ = 2;
            const long long perBlock = counted - countedAtBlock1_;
            if (perBlock == 0)
                return std::numeric_limits<long long>::max() / 4;
            const long long blocks = std::min(floorDiv(target - position, length_), (count - counted - 1) / perBlock);
            if (blocks > 0) {
                counted += blocks * perBlock;
                return position + blocks * length_;
            }
        }
        return position;
    }

private:
    long long origin_, length_;
    int seen_ = 0;
    long long countedAtBlock1_ = 0;
};

constexpr long long leastCommonMultiple(long long a, long long b)
{
    return a / std::gcd(a, b) * b;
}

class Expansion {
public:
    Expansion(const RecurrenceRule& rule, long long start, long long duration, DayRange range,
              const Exclusions& exclusions, WorkBudget budget,
              void (*mark)(void*, long long), void* context)
        : rule_(rule), start_(start), duration_(duration), range_(range), exclusions_(exclusions),
          budget_(budget), mark_(mark), context_(context), startDay_(floorDiv(start, secondsPerDay)),
          startSecond_(static_cast<int>(start - startDay_ * secondsPerDay)), startFacts_(factsOf(startDay_)),
          interval_(std::max(1LL, rule.interval))
    {
        // Occurrences that start this many days before the range can still reach it.
        spillDays_ = floorDiv(std::max(0LL, duration) + secondsPerDay - 1, secondsPerDay) + 1;
        endDay_ = std::min(range.last, lastSupportedDay());
        if (rule.hasUntil) {
            untilDay_ = floorDiv(rule.until, secondsPerDay);
            untilSecond_ = static_cast<int>(rule.until - untilDay_ * secondsPerDay);
            endDay_ = std::min(endDay_, untilDay_);
        }
        const int hour = startSecond_ / 3600, minute = startSecond_ / 60 % 60, second = startSecond_ % 60;
        const bool subDaily = rule.frequency < Frequency::daily;
        // In finer rules than daily, BYHOUR, BYMINUTE and BYSECOND down to the
        // rule's own unit limit which units are active.
        hourAllowed_ = allowed<24>(rule.frequency <= Frequency::hourly ? rule.hours : std::vector<int>{});
        minuteAllowed_ = allowed<60>(rule.frequency <= Frequency::minutely ? rule.minutes : std::vector<int>{});
        secondAllowed_ = allowed<60>(rule.frequency == Frequency::secondly ? rule.seconds : std::vector<int>{});
        weekdayAllowed_.fill(rule.weekdays.empty());
        for (const WeekdayInRule& w : rule.weekdays)
            if (w.weekday >= 0 && w.weekday < 7)
                weekdayAllowed_[w.weekday] = true;
        if (subDaily) {
            // Each active hour, minute or second holds these offsets into it.
            unit_ = rule.frequency == Frequency::hourly ? 3600 : rule.frequency == Frequency::minutely ? 60 : 1;
            if (rule.frequency == Frequency::hourly) {
                for (int m : orDefault(rule.minutes, minute, 60))
                    for (int s : orDefault(rule.seconds, second, 60))
                        times_.push_back(m * 60 + s);
            } else if (rule.frequency == Frequency::minutely) {
                times_ = orDefault(rule.seconds, second, 60);
            } else {
                times_ = {0};
            }
            std::vector<int> picked;
            if (!rule.setPositions.empty()) {
                for (long long index : pickedPositions(rule.setPositions, static_cast<long long>(times_.size())))
                    picked.push_back(times_[index]);
                times_ = picked;
            }
        } else {
            for (int h : orDefault(rule.hours, hour, 24))
                for (int m : orDefault(rule.minutes, minute, 60))
                    for (int s : orDefault(rule.seconds, second, 60))
                        times_.push_back((h * 60 + m) * 60 + s);
        }
    }

    bool run()
    {
        if (times_.empty() || endDay_ < startDay_ || certainlyOverBefore(range_.first - spillDays_))
            return true;
        return rule_.frequency < Frequency::daily ? runDays() : runPeriods();
    }

private:
    // The last occurrence's day can be bounded when every period of the rule
    // holds an occurrence: start + COUNT × INTERVAL periods.
    bool certainlyOverBefore(long long day) const
    {
        if (rule_.count == 0 || !rule_.months.empty() || !rule_.monthDays.empty() || !rule_.yearDays.empty() ||
            !rule_.setPositions.empty() || !rule_.weekNumbers.empty())
            return false;
        const long long periods = rule_.count * interval_;  // both below 2^31: no overflow
        switch (rule_.frequency) {
        case Frequency::secondly:
        case Frequency::minutely:
        case Frequency::hourly:
            if (!rule_.weekdays.empty() || !rule_.hours.empty() ||
                (rule_.frequency < Frequency::hourly && !rule_.minutes.empty()) ||
                (rule_.frequency == Frequency::secondly && !rule_.seconds.empty()))
                return false;
            return floorDiv(start_ + periods * unit_, secondsPerDay) < day;
        case Frequency::daily:
            return rule_.weekdays.empty() && startDay_ + periods < day;
        case Frequency::weekly:
            return startDay_ + periods * 7 + 7 < day;
        default:
            return false;
        }
    }

    bool outOfTime()
    {
        return (++steps_ & 255) == 0 && budget_.spent();
    }

    bool weekNumberMatches(const DayFacts& f) const
    {
        const auto weekOf = [this](long long days, long long january1) {
            const long long weekStart = days - (weekdayFromDays(days) - rule_.weekStart + 7) % 7;
            return floorDiv(weekStart + 3 - january1, 7) + 1;
        };
        // A week belongs to the year that holds its fourth day.
        const long long weekStart = f.days - (f.weekday - rule_.weekStart + 7) % 7;
        const long long year = civilFromDays(weekStart + 3).year;
        const long long january1 = daysFromCivil(year, 1, 1);
        const long long week = weekOf(f.days, january1), weeks = weekOf(daysFromCivil(year, 12, 28), january1);
        return contains(rule_.weekNumbers, static_cast<int>(week)) ||
               contains(rule_.weekNumbers, static_cast<int>(week - weeks - 1));
    }

    bool weekdayMatches(const DayFacts& f) const
    {
        const bool inMonth = rule_.frequency == Frequency::monthly ||
                             (rule_.frequency == Frequency::yearly && !rule_.months.empty());
        const bool inYear = rule_.frequency == Frequency::yearly && rule_.months.empty();
        for (const WeekdayInRule& w : rule_.weekdays) {
            if (w.weekday != f.weekday)
                continue;
            if (w.position == 0 || (!inMonth && !inYear))
                return true;
            const int day = inMonth ? f.date.day : f.yearDay, length = inMonth ? f.monthLength : f.yearLength;
            if (w.position > 0 ? (day - 1) / 7 + 1 == w.position : (length - day) / 7 + 1 == -w.position)
                return true;
        }
        return false;
    }

    bool dayMatches(const DayFacts& f) const
    {
        const RecurrenceRule& r = rule_;
        const bool byWeek = r.frequency == Frequency::yearly && !r.weekNumbers.empty();
        if (!r.months.empty() && !contains(r.months, f.date.month))
            return false;
        if (byWeek && !weekNumberMatches(f))
            return false;
        if (!r.yearDays.empty() && !contains(r.yearDays, f.yearDay) &&
            !contains(r.yearDays, f.yearDay - f.yearLength - 1))
            return false;
        if (!r.monthDays.empty() && !contains(r.monthDays, f.date.day) &&
            !contains(r.monthDays, f.date.day - f.monthLength - 1))
            return false;
        if (!r.weekdays.empty() && !weekdayMatches(f))
            return false;
        if (r.frequency <= Frequency::daily || !r.yearDays.empty() || !r.monthDays.empty() || !r.weekdays.empty())
            return true;
        // Without day parts the day comes from the start.
        if (byWeek || r.frequency == Frequency::weekly)
            return f.weekday == startFacts_.weekday;
        if (r.frequency == Frequency::monthly)
            return f.date.day == startFacts_.date.day;
        return (!r.months.empty() || f.date.month == startFacts_.date.month) && f.date.day == startFacts_.date.day;
    }

    // The first day from `day` on whose month BYMONTH and BYMONTHDAY allow and
    // whose weekday BYDAY allows, so that rules that rarely or never match
    // pass over whole months and weeks.
    long long nextPossibleDay(long long day) const
    {
        for (Date date = civilFromDays(day); day <= endDay_; date = civilFromDays(day)) {
            const int length = daysInMonth(date.year, date.month);
            const bool monthFits = rule_.months.empty() || contains(rule_.months, date.month);
            const bool dayFits = rule_.monthDays.empty() ||
                                 std::any_of(rule_.monthDays.begin(), rule_.monthDays.end(), [length](int d) {
                                     return (d > 0 && d <= length) || (d < 0 && -d <= length);
                                 });
            const long long nextMonth = day - date.day + 1 + length;
            if (!monthFits || !dayFits) {
                day = nextMonth;
                continue;
            }
            int ahead = 0;
            while (ahead < 7 && !weekdayAllowed_[(weekdayFromDays(day) + ahead) % 7])
                ++ahead;
            if (ahead == 7)
                return endDay_ + 1;
            if (day + ahead < nextMonth)
                return day + ahead;
            day = nextMonth;
        }
        return day;
    }

    // Period numbers of DAILY, WEEKLY, MONTHLY and YEARLY rules.
    long long weekStartOf(long long days) const { return days - (weekdayFromDays(days) - rule_.weekStart + 7) % 7; }
    long long periodOf(long long days) const
    {
        switch (rule_.frequency) {
        case Frequency::weekly:
            return floorDiv(weekStartOf(days), 7);
        case Frequency::monthly: {
            const Date date = civilFromDays(days);
            return date.year * 12 + date.month - 1;
        }
        case Frequency::yearly:
            return civilFromDays(days).year;
        default:
            return days;
        }
    }

    // The days of period `p` that the rule's day parts accept, in order.
    void candidateDays(long long p, std::vector<long long>& days) const
    {
        days.clear();
        const auto consider = [&](long long day) {
            if (dayMatches(factsOf(day)))
                days.push_back(day);
        };
        const bool dayParts = !rule_.monthDays.empty() || !rule_.weekdays.empty() || !rule_.yearDays.empty() ||
                              !rule_.weekNumbers.empty();
        const auto considerMonth = [&](long long year, int month) {
            if (!dayParts) {
                if (startFacts_.date.day <= daysInMonth(year, month))
                    consider(daysFromCivil(year, month, startFacts_.date.day));
                return;
            }
            const long long first = daysFromCivil(year, month, 1);
            for (long long day = first; day < first + daysInMonth(year, month); ++day)
                consider(day);
        };
        switch (rule_.frequency) {
        case Frequency::weekly: {
            const long long weekStart = p * 7 + floorMod(weekStartOf(0), 7);
            if (rule_.weekdays.empty()) {
                consider(weekStart + (startFacts_.weekday - rule_.weekStart + 7) % 7);
                break;
            }
            for (long long day = weekStart; day < weekStart + 7; ++day)
                consider(day);
            break;
        }
        case Frequency::monthly:
            considerMonth(floorDiv(p, 12), static_cast<int>(floorMod(p, 12)) + 1);
            break;
        case Frequency::yearly:
            if (p < 1 || p > 9999)
                break;
            if (!dayParts || (!rule_.months.empty() && rule_.weekNumbers.empty())) {
                for (int month = 1; month <= 12; ++month)
                    if (rule_.months.empty() ? (dayParts || month == startFacts_.date.month)
                                             : contains(rule_.months, month))
                        considerMonth(p, month);
            } else {
                for (long long day = daysFromCivil(p, 1, 1); day < daysFromCivil(p + 1, 1, 1); ++day)
                    consider(day);
            }
            break;
        default:
            consider(p);
        }
    }

    bool runPeriods()
    {
        const long long p0 = periodOf(startDay_);
        long long p = p0;
        if (rule_.count == 0)
            p += floorDiv(periodOf(std::max(startDay_, range_.first - spillDays_)) - p0, interval_) * interval_;
        std::vector<long long> days;
        std::vector<std::vector<int>> picked;
        const long long cycle = rule_.frequency == Frequency::yearly    ? 400
                                : rule_.frequency == Frequency::monthly ? 4800
                                : rule_.frequency == Frequency::weekly  ? 20871
                                                                        : 146097;
        BlockSkip skip(p0, rule_.count ? leastCommonMultiple(cycle, interval_) : 0);
        const long long target = periodOf(std::max(startDay_, range_.first - spillDays_));
        for (const long long last = periodOf(endDay_); p <= last; p += interval_) {
            if (outOfTime())
                return false;
            if (const long long next = skip.advance(p, target, counted_, rule_.count); next != p) {
                p = next - interval_;
                continue;
            }
            if (rule_.frequency == Frequency::daily) {
                if (const long long possible = nextPossibleDay(p); possible > p) {
                    p += (possible - p + interval_ - 1) / interval_ * interval_ - interval_;
                    continue;
                }
            }
            candidateDays(p, days);
            if (!rule_.setPositions.empty()) {
                // BYSETPOS counts through every time of every day of the period.
                const long long perDay = static_cast<long long>(times_.size());
                picked.assign(days.size(), {});
                for (long long index : pickedPositions(rule_.setPositions, perDay * static_cast<long long>(days.size())))
                    picked[index / perDay].push_back(times_[index % perDay]);
            }
            for (std::size_t i = 0; i < days.size(); ++i) {
                const std::vector<int>& times = rule_.setPositions.empty() ? times_ : picked[i];
                if (days[i] < startDay_ || times.empty())
                    continue;
                if (days[i] > endDay_)
                    return true;
                const auto each = [&times](auto&& visit) {
                    for (int t : times)
                        if (!visit(t))
                            return;
                };
                if (!occurOn(days[i], static_cast<long long>(times.size()), times.back(), each))
                    return true;
            }
        }
        return true;
    }

    struct DaySummary {
        long long count;
        int latest;
    };

    bool unitMatches(long long unit) const
    {
        const long long second = unit * unit_;
        return hourAllowed_[second / 3600] && minuteAllowed_[second / 60 % 60] && secondAllowed_[second % 60];
    }

    // The active units of a day are those congruent to `phase` modulo the interval.
    DaySummary summaryFor(long long phase)
    {
        const long long units = secondsPerDay / unit_;
        if (interval_ < units) {
            if (phaseSummaries_.empty())
                phaseSummaries_.assign(static_cast<std::size_t>(interval_), std::nullopt);
            if (const auto& known = phaseSummaries_[phase])
                return *known;
        }
        DaySummary summary{0, 0};
        for (long long unit = phase; unit < units; unit += interval_)
            if (unitMatches(unit)) {
                summary.count += static_cast<long long>(times_.size());
                summary.latest = static_cast<int>(unit * unit_ + times_.back());
            }
        if (interval_ < units)
            phaseSummaries_[phase] = summary;
        return summary;
    }

    bool runDays()
    {
        const long long units = secondsPerDay / unit_, firstUnit = floorDiv(start_, unit_);
        long long day = rule_.count ? startDay_ : std::max(startDay_, range_.first - spillDays_);
        BlockSkip skip(startDay_, rule_.count ? leastCommonMultiple(146097, interval_ / std::gcd(interval_, units)) : 0);
        for (; day <= endDay_; ++day) {
            if (outOfTime())
                return false;
            day = nextPossibleDay(day);
            day = skip.advance(day, range_.first - spillDays_, counted_, rule_.count);
            if (day > endDay_ || !dayMatches(factsOf(day)))
                continue;
            const long long phase = floorMod(firstUnit - day * units, interval_);
            const DaySummary summary = summaryFor(phase);
            const auto each = [&](auto&& visit) {
                for (long long unit = phase; unit < units; unit += interval_)
                    if (unitMatches(unit))
                        for (int t : times_)
                            if (!visit(static_cast<int>(unit * unit_ + t)))
                                return;
            };
            if (!occurOn(day, summary.count, summary.latest, each))
                return true;
        }
        return true;
    }

    bool exclusionsOn(long long day) const
    {
        if (exclusions_.days.count(day))
            return true;
        const auto next = exclusions_.starts.lower_bound(day * secondsPerDay);
        return next != exclusions_.starts.end() && *next < (day + 1) * secondsPerDay;
    }

    // Counts and marks the `count` occurrences that `each` lists on `day`, the
    // last starting at second `latest`; false once COUNT is used up.
    template <class Each>
    bool occurOn(long long day, long long count, int latest, const Each& each)
    {
        if (count == 0)
            return true;
        const int low = day == startDay_ ? startSecond_ : 0;
        const int high = rule_.hasUntil && day == untilDay_ ? untilSecond_ : secondsPerDay - 1;
        const bool countEnds = rule_.count > 0 && counted_ + count >= rule_.count;
        if (low == 0 && high == secondsPerDay - 1 && !countEnds && !exclusionsOn(day)) {
            counted_ += count;
            markSpan(day * secondsPerDay + latest, duration_, range_, mark_, context_);
            return true;
        }
        int lastMarked = -1;
        bool more = true;
        each([&](int t) {
            if (t < low)
                return true;
            if (t > high)
                return false;
            ++counted_;
            if (!exclusions_.excludes(day * secondsPerDay + t))
                lastMarked = t;
            more = rule_.count == 0 || counted_ < rule_.count;
            return more;
        });
        if (lastMarked >= 0)
            markSpan(day * secondsPerDay + lastMarked, duration_, range_, mark_, context_);
        return more;
    }

    const RecurrenceRule& rule_;
    long long start_, duration_;
    DayRange range_;
    const Exclusions& exclusions_;
    WorkBudget budget_;
    void (*mark_)(void*, long long);
    void* context_;
    long long startDay_;
    int startSecond_;
    DayFacts startFacts_;
    long long interval_, spillDays_ = 1, endDay_ = 0, untilDay_ = 0;
    int untilSecond_ = 0;
    long long unit_ = secondsPerDay;
    std::vector<int> times_;  // seconds into the day (or into the hour or minute of a finer rule)
    std::array<bool, 24> hourAllowed_{};
    std::array<bool, 60> minuteAllowed_{}, secondAllowed_{};
    std::array<bool, 7> weekdayAllowed_{};
    std::vector<std::optional<DaySummary>> phaseSummaries_;
    long long counted_ = 0;
    unsigned steps_ = 0;
};

}  // namespace

bool Exclusions::excludes(long long start) const
{
    return starts.count(start) || days.count(floorDiv(start, secondsPerDay));
}

long long firstSupportedDay()
{
    return daysFromCivil(1, 1, 1);
}

long long lastSupportedDay()
{
    return daysFromCivil(9999, 12, 31);
}

void markSpan(long long start, long long duration, DayRange range, void (*mark)(void*, long long), void* context)
{
    const long long first = floorDiv(start, secondsPerDay);
    const long long last = duration > 0 ? floorDiv(start + duration - 1, secondsPerDay) : first;
    for (long long day = std::max(first, range.first); day <= std::min(last, range.last); ++day)
        mark(context, day);
}

bool markRecurrence(const RecurrenceRule& rule, long long start, long long duration, DayRange range,
                    const Exclusions& exclusions, WorkBudget budget,
                    void (*mark)(void*, long long), void* context)
{
    return Expansion(rule, start, duration, range, exclusions, budget, mark, context).run();
}
