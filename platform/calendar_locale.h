#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

// Month and weekday names from the system's locale data, as UTF-8.
struct LocaleNames {
    std::array<std::string, 12> months;        // January first, as a title shows them
    std::array<std::string, 7> weekdayShort;   // abbreviated, Sunday first
    std::array<std::string, 7> weekdayLong;    // in full, Sunday first
};

// A language as a code names it, in parts: "pt", "", "BR", "" for pt-BR;
// "sr", "", "RS", "latin" for sr_RS@latin; "zh", "Hant", "TW", "" for
// zh-Hant-TW. Letters in their usual case; the modifier lower case.
struct LanguageRequest {
    std::string language;
    std::string script;
    std::string territory;
    std::string modifier;
    bool operator==(const LanguageRequest&) const = default;
};

// A locale of the system's locale data that gives a language's names:
// `name` opens it ("de_DE.UTF-8", "de-DE"). When none is installed, `name` is
// the one asked for first, for messages.
struct FoundLocale {
    std::string name;
    bool installed = false;
    bool operator==(const FoundLocale&) const = default;
};

// The locale for a request. Without a territory, the language's
// `usualTerritory` is tried first ("DE" for de), then any the system has; a
// script is kept ("sr-Latn" never gives Cyrillic names).
FoundLocale findLocale(const LanguageRequest& request, std::string_view usualTerritory);

// The names of the locale that findLocale named; an empty name means the
// user's own date locale (LC_TIME). Nothing when that locale cannot be opened;
// std::bad_alloc when it could not be loaded for lack of memory.
std::optional<LocaleNames> localeNames(const std::string& localeName);

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
