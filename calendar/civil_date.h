#pragma once

// Proleptic Gregorian calendar arithmetic over plain integers. Every function is
// exact for every year a 32-bit int can hold; months are 1..12, days 1..31.

constexpr bool isLeapYear(long long year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Days in `month` (1..12) of `year`: 28..31.
constexpr int daysInMonth(long long year, int month)
{
    constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return lengths[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

// Days from 1970-01-01 to year-month-day; negative before it. Counting in eras
// of 400 years (146097 days) keeps every intermediate value non-negative, so the
// divisions need no correction for negative years.
constexpr long long daysFromCivil(long long year, int month, int day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;                                     // [0, 399]
    const long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;  // [0, 146096]
    return era * 146097 + dayOfEra - 719468;
}

// Weekday of a day count from daysFromCivil: 0 = Sunday .. 6 = Saturday
// (1970-01-01 was a Thursday).
constexpr int weekdayFromDays(long long days)
{
    return static_cast<int>(days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6);
}

constexpr int weekdayOf(long long year, int month, int day)
{
    return weekdayFromDays(daysFromCivil(year, month, day));
}

// ISO 8601 week of a day count from daysFromCivil: weeks run Monday to Sunday,
// and week 1 of a year is the week that holds its first Thursday, so the first
// days of January can belong to week 52 or 53 of the year before, and the last
// days of December to week 1 of the next.
struct IsoWeek {
    long long year;
    int week;  // 1..53
};

constexpr IsoWeek isoWeekFromDays(long long days)
{
    // The Thursday of the same Monday-to-Sunday week decides the week's year.
    const int fromMonday = (weekdayFromDays(days) + 6) % 7;
    const long long thursday = days - fromMonday + 3;
    long long year = 0;
    for (year = 1970 + thursday / 366 - 1; daysFromCivil(year + 1, 1, 1) <= thursday;)
        ++year;
    while (daysFromCivil(year, 1, 1) > thursday)
        --year;
    return IsoWeek{year, static_cast<int>((thursday - daysFromCivil(year, 1, 1)) / 7 + 1)};
}
