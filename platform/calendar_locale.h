#pragma once
#include <array>
#include <optional>
#include <string>

// Month and weekday names from the system's locale data, as UTF-8.
struct LocaleNames {
    std::array<std::string, 12> months;        // January first, as a title shows them
    std::array<std::string, 7> weekdayShort;   // abbreviated, Sunday first
};

// The names of locale `language` and `territory` ("de", "DE"); an empty language
// means the user's own date locale (LC_TIME). Nothing when that locale is not
// installed; std::bad_alloc when it could not be loaded for lack of memory.
std::optional<LocaleNames> localeNames(const std::string& language, const std::string& territory);

// The first day of the week in the user's date locale: 0 = Sunday .. 6 =
// Saturday; Monday in the C and POSIX locales.
int localeFirstWeekday();

// The paper size of the user's paper locale (LC_PAPER) in millimetres; A4
// (210 x 297) in the C and POSIX locales.
struct PaperMillimetres {
    int width;
    int height;
};
PaperMillimetres localePaperSize();
