// Recurrence rules worked out over plain dates: the days each rule marks in a
// year's page, for starts and pages anywhere in 1..9999 and for rules that
// rarely or never match.
#include "calendar/civil_date.h"
#include "calendar/recurrence_days.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr long long day(long long year, int month, int d)
{
    return daysFromCivil(year, month, d);
}
constexpr long long at(long long year, int month, int d, int hour = 0, int minute = 0)
{
    return day(year, month, d) * 86400 + hour * 3600 + minute * 60;
}

void collect(void* context, long long d)
{
    static_cast<std::vector<long long>*>(context)->push_back(d);
}

std::vector<long long> marked(const RecurrenceRule& rule, long long start, long long duration, long long year,
                              const Exclusions& exclusions = {})
{
    std::vector<long long> days;
    const WorkBudget budget{std::clock() + CLOCKS_PER_SEC * 10};
    EXPECT_TRUE(markRecurrence(rule, start, duration, {day(year, 1, 1), day(year, 12, 31)}, exclusions, budget,
                               collect, &days));
    return days;
}

using F = Frequency;

}  // namespace

TEST(RecurrenceDays, RulesMarkThePrintedYearExactly)
{
    struct Case {
        const char* name;
        RecurrenceRule rule;
        long long start, duration, year;
        std::vector<long long> days;  // every marked day, or the first ones when `total` is set
        std::size_t total = 0;
    };
    const Case cases[] = {
        {"yearly from 1900, page 2583", {.frequency = F::yearly}, at(1900, 7, 4), 86400, 2583, {day(2583, 7, 4)}},
        {"from year 1, every 400 years", {.frequency = F::yearly, .interval = 400}, at(1, 2, 28), 0, 2001,
         {day(2001, 2, 28)}},
        {"weekly Mondays from 1800", {.frequency = F::weekly, .weekdays = {{1, 0}}}, at(1800, 1, 6), 86400, 2026,
         {day(2026, 1, 5), day(2026, 1, 12)}, 52},
        {"every other week from Sunday", {.frequency = F::weekly, .interval = 2, .weekStart = 0}, at(2025, 12, 28),
         3600, 2026, {day(2026, 1, 11), day(2026, 1, 25)}, 26},
        {"the 31st of each month", {.frequency = F::monthly}, at(2026, 1, 31), 0, 2026,
         {day(2026, 1, 31), day(2026, 3, 31), day(2026, 5, 31), day(2026, 7, 31), day(2026, 8, 31),
          day(2026, 10, 31), day(2026, 12, 31)}},
        {"last Friday", {.frequency = F::monthly, .count = 3, .weekdays = {{5, -1}}}, at(2026, 1, 1), 0, 2026,
         {day(2026, 1, 30), day(2026, 2, 27), day(2026, 3, 27)}},
        {"fourth Thursday of November", {.frequency = F::yearly, .months = {11}, .weekdays = {{4, 4}}},
         at(1942, 11, 26), 86400, 2026, {day(2026, 11, 26)}},
        {"last weekday of the month", {.frequency = F::monthly, .count = 2, .setPositions = {-1},
                                       .weekdays = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}},
         at(2026, 1, 1), 0, 2026, {day(2026, 1, 30), day(2026, 2, 27)}},
        {"ISO week 1's Monday", {.frequency = F::yearly, .weekNumbers = {1}, .weekdays = {{1, 0}}}, at(2020, 1, 1),
         0, 2025, {day(2025, 12, 29)}},
        {"day 366 of the year", {.frequency = F::yearly, .yearDays = {366}}, at(2000, 12, 31), 0, 2028,
         {day(2028, 12, 31)}},
        {"until a time before the start's", {.frequency = F::daily, .hasUntil = true, .until = at(2026, 1, 3, 8)},
         at(2026, 1, 1, 9), 0, 2026, {day(2026, 1, 1), day(2026, 1, 2)}},
        {"two-day event over the year's end", {.frequency = F::yearly}, at(2025, 12, 31, 22), 86400 * 2, 2026,
         {day(2026, 1, 1), day(2026, 1, 2), day(2026, 12, 31)}},
        {"every second, leap year", {.frequency = F::secondly}, at(2000, 1, 1), 0, 2028, {day(2028, 1, 1)}, 366},
        {"5,000,000 minutes from 2025", {.frequency = F::minutely, .count = 5'000'000}, at(2025, 1, 1), 0, 2034,
         {day(2034, 1, 1)}, static_cast<std::size_t>(day(2034, 7, 5) - day(2034, 1, 1) + 1)},
        {"every 7 hours at :30, twice a week", {.frequency = F::hourly, .interval = 7, .minutes = {30},
                                                .weekdays = {{1, 0}, {4, 0}}},
         at(2026, 1, 1), 0, 2026, {day(2026, 1, 1), day(2026, 1, 5)}, 105},
        {"February 30th, every second", {.frequency = F::secondly, .monthDays = {30}, .months = {2}}, at(2000, 1, 1),
         0, 2026, {}},
        {"February 30th, counted minutes", {.frequency = F::minutely, .count = 1'000'000'000, .monthDays = {30},
                                            .months = {2}},
         at(1, 1, 1), 0, 9999, {}},
        {"day 366 of January", {.frequency = F::secondly, .yearDays = {366}, .months = {1}}, at(2000, 1, 1), 0, 2028,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<long long> days = marked(c.rule, c.start, c.duration, c.year);
        if (c.total) {
            EXPECT_EQ(days.size(), c.total);
            EXPECT_EQ(std::vector<long long>(days.begin(), days.begin() + std::min(days.size(), c.days.size())),
                      c.days);
        } else {
            EXPECT_EQ(days, c.days);
        }
    }
}

TEST(RecurrenceDays, ExcludedStartsAreLeftOutButStillCounted)
{
    Exclusions exclusions;
    exclusions.starts.insert(at(2026, 1, 2, 10));
    exclusions.days.insert(day(2026, 1, 4));
    const RecurrenceRule rule{.frequency = F::daily, .count = 5};
    EXPECT_EQ(marked(rule, at(2026, 1, 1, 10), 0, 2026, exclusions),
              (std::vector<long long>{day(2026, 1, 1), day(2026, 1, 3), day(2026, 1, 5)}));
}

TEST(RecurrenceDays, WorkBeyondTheBudgetIsGivenUp)
{
    std::vector<long long> days;
    const RecurrenceRule rule{.frequency = F::daily, .count = 2'000'000'000, .weekdays = {{1, 0}}};
    EXPECT_FALSE(markRecurrence(rule, at(1, 1, 1), 0, {day(9999, 1, 1), day(9999, 12, 31)}, {}, WorkBudget{0},
                                collect, &days));
    EXPECT_TRUE(days.empty());
}

TEST(RecurrenceDays, CountedRulesFromYearOneEndOnTheirLastOccurrence)
{
    // 0001-01-01 was a Monday: every rule below is the Mondays, counted so that
    // the last falls in June 9999, after the 400-year blocks have been skipped.
    const long long lastMonday = day(9999, 6, 25) + (8 - weekdayOf(9999, 6, 25)) % 7;
    const long long count = (lastMonday - day(1, 1, 1)) / 7 + 1;
    const std::vector<RecurrenceRule> rules = {
        {.frequency = F::daily, .count = count, .weekdays = {{1, 0}}},
        {.frequency = F::weekly, .interval = 1, .count = count},
        {.frequency = F::monthly, .count = count, .weekdays = {{1, 0}}},
        {.frequency = F::yearly, .count = count, .weekdays = {{1, 0}}},
        {.frequency = F::hourly, .count = count, .hours = {9}, .weekdays = {{1, 0}}},
    };
    for (const RecurrenceRule& rule : rules) {
        SCOPED_TRACE(static_cast<int>(rule.frequency));
        const std::vector<long long> days = marked(rule, at(1, 1, 1, 9), 3600, 9999);
        ASSERT_FALSE(days.empty());
        EXPECT_EQ(days.front(), day(9999, 1, 4));
        EXPECT_EQ(days.back(), lastMonday);
        EXPECT_EQ(days.size(), static_cast<std::size_t>((lastMonday - day(9999, 1, 4)) / 7 + 1));
    }
}
