#include "calendar/civil_date.h"
#include "calendar/text_encoding.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace std::chrono;

// ISO 8601 week and its year, from the standard library's calendar: the week
// holds the Thursday of the same Monday-to-Sunday week.
std::pair<int, int> chronoIsoWeek(sys_days day)
{
    const sys_days thursday = day - (weekday(day) - Monday) + days(3);
    const year isoYear = year_month_day(thursday).year();
    const sys_days firstThursday = sys_days(isoYear / January / Thursday[1]);
    return {static_cast<int>(isoYear), static_cast<int>((thursday - firstThursday).count() / 7 + 1)};
}

}  // namespace

// Day counts, weekdays and ISO weeks of every day of the first and last years
// shown and of nine centuries between, with their 53-week years and weeks 1
// that begin in December.
TEST(IsoWeekTest, AgreesWithTheStandardLibraryOnEveryDay)
{
    for (auto [from, to] : {std::pair{1y, 2y}, {1583y, 2500y}, {9998y, 9999y}})
        for (sys_days day = sys_days(from / January / 1); day <= sys_days(to / December / 31); day += days(1)) {
            const year_month_day date{day};
            const long long count = daysFromCivil(int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())));
            ASSERT_EQ(count, day.time_since_epoch().count());
            ASSERT_EQ(weekdayFromDays(count), static_cast<int>(weekday{day}.c_encoding())) << count;
            const IsoWeek week = isoWeekFromDays(count);
            ASSERT_EQ(std::make_pair(static_cast<int>(week.year), week.week), chronoIsoWeek(day)) << count;
        }
}

TEST(TextEncodingTest, BaseFontOnlyForWhatItCanShow)
{
    const std::vector<std::pair<std::vector<std::string>, BaseFontEncoding>> cases = {
        {{"January", "Mo"}, BaseFontEncoding::standard},
        {{"Don't"}, BaseFontEncoding::winAnsi},  // the built-in encoding shows a curly quote
        {{"März", "Sö", "Août", "Ærø"}, BaseFontEncoding::winAnsi},
        {{"Styczeń"}, BaseFontEncoding::none},
        {{"a \xe2\x80\x93 b"}, BaseFontEncoding::none},  // an en dash is not Latin-1
        {{"\xc3"}, BaseFontEncoding::none},              // cut-off UTF-8
        {{"\xc0\xaf"}, BaseFontEncoding::none},          // overlong
    };
    for (const auto& [texts, encoding] : cases)
        EXPECT_EQ(baseFontEncodingFor(texts), encoding) << texts.front();
}
