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

TEST(IsoWeekTest, AgreesWithTheStandardLibraryOnEveryDay)
{
    for (sys_days day = sys_days(1583y / January / 1); day <= sys_days(2500y / December / 31); day += days(1)) {
        const long long count = day.time_since_epoch().count();
        const IsoWeek week = isoWeekFromDays(count);
        ASSERT_EQ(std::make_pair(static_cast<int>(week.year), week.week), chronoIsoWeek(day)) << count;
    }
}

TEST(IsoWeekTest, FiftyThreeWeekYearsAndWeekOneInDecember)
{
    const auto weekOf = [](int y, int m, int d) {
        const IsoWeek week = isoWeekFromDays(daysFromCivil(y, m, d));
        return std::make_pair(week.year, week.week);
    };
    EXPECT_EQ(weekOf(2026, 12, 31), std::make_pair(2026LL, 53));  // 2026 starts on a Thursday
    EXPECT_EQ(weekOf(2027, 1, 3), std::make_pair(2026LL, 53));
    EXPECT_EQ(weekOf(2027, 1, 4), std::make_pair(2027LL, 1));
    EXPECT_EQ(weekOf(2025, 12, 29), std::make_pair(2026LL, 1));   // week 1 begins in December
    EXPECT_EQ(weekOf(2024, 12, 30), std::make_pair(2025LL, 1));
    EXPECT_EQ(weekOf(2020, 12, 31), std::make_pair(2020LL, 53));  // a leap year starting on Wednesday
    EXPECT_EQ(weekOf(2021, 1, 1), std::make_pair(2020LL, 53));
    EXPECT_EQ(weekOf(1, 1, 1), std::make_pair(1LL, 1));           // a Monday
    EXPECT_EQ(weekOf(9999, 12, 31), std::make_pair(9999LL, 52));
}

TEST(TextEncodingTest, BaseFontOnlyForWhatItCanShow)
{
    const std::vector<std::pair<std::vector<std::string>, BaseFontEncoding>> cases = {
        {{"January", "Mo"}, BaseFontEncoding::standard},
        {{"Don't"}, BaseFontEncoding::winAnsi},  // the built-in encoding shows a curly quote
        {{"März", "Sö", "Août", "Ærø"}, BaseFontEncoding::winAnsi},
        {{"Styczeń"}, BaseFontEncoding::none},
        {{"Čt"}, BaseFontEncoding::none},
        {{"a \xe2\x80\x93 b"}, BaseFontEncoding::none},  // an en dash is not Latin-1
        {{"\xc3"}, BaseFontEncoding::none},              // cut-off UTF-8
        {{"\xc0\xaf"}, BaseFontEncoding::none},          // overlong
    };
    for (const auto& [texts, encoding] : cases)
        EXPECT_EQ(baseFontEncodingFor(texts), encoding) << texts.front();
    EXPECT_EQ(toWinAnsi("März Ærø"), "M\xe4rz \xc6r\xf8");
    EXPECT_EQ(encodeUtf8(decodeUtf8("Październik Январь €").value()), "Październik Январь €");
}
