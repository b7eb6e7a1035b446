#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/calendar_locale.h"

// Where a language is mostly written, tried first for a code that names no
// territory ("de" is read as de_DE). Languages listed here are known even
// where the system has no locale for them: asking for one gives a warning and
// an English calendar; other languages are accepted when the system's locale
// data covers them.
struct UsualTerritory {
    std::string_view language;
    std::string_view territory;
};
inline constexpr UsualTerritory usualTerritories[] = {
    {"ar", "SA"}, {"bg", "BG"}, {"bn", "BD"}, {"ca", "ES"}, {"cs", "CZ"}, {"da", "DK"}, {"de", "DE"}, {"el", "GR"},
    {"en", "US"}, {"es", "ES"}, {"et", "EE"}, {"eu", "ES"}, {"fa", "IR"}, {"fi", "FI"}, {"fr", "FR"}, {"ga", "IE"},
    {"gl", "ES"}, {"he", "IL"}, {"hi", "IN"}, {"hr", "HR"}, {"hu", "HU"}, {"id", "ID"}, {"is", "IS"}, {"it", "IT"},
    {"ja", "JP"}, {"ko", "KR"}, {"lt", "LT"}, {"lv", "LV"}, {"mk", "MK"}, {"ms", "MY"}, {"nb", "NO"}, {"nl", "NL"},
    {"nn", "NO"}, {"pl", "PL"}, {"pt", "PT"}, {"ro", "RO"}, {"ru", "RU"}, {"sk", "SK"}, {"sl", "SI"}, {"sq", "AL"},
    {"sr", "RS"}, {"sv", "SE"}, {"th", "TH"}, {"tr", "TR"}, {"uk", "UA"}, {"vi", "VN"}, {"zh", "CN"},
};

// The usual territory of a language, or nothing; Chinese in traditional
// characters is Taiwan's.
std::string_view usualTerritory(std::string_view language, std::string_view script);

// A --language value read as a BCP 47 tag ("de", "pt-BR", "zh-Hant-TW",
// "ca-ES-valencia") or a POSIX locale name ("de_DE.UTF-8", "sr_RS@latin"), in
// any letter case: its parts in their usual case, a variant as the modifier.
// Extensions ("-u-...") are ignored; anything else that is not such a code
// gives nothing.
std::optional<LanguageRequest> parseLanguageCode(std::string_view code);

// A --language value and the locale whose names it asks for.
struct ChosenLanguage {
    std::string code;  // as given: "de", "pt-BR"
    LanguageRequest request;
    FoundLocale locale;  // the system's locale for it, or the name it would have
    bool operator==(const ChosenLanguage&) const = default;
};

// The language a code names, with its locale looked up in the system's
// locale data; nothing when the code is not a language code, or names a
// language that neither the system nor the table above knows.
std::optional<ChosenLanguage> chooseLanguage(std::string_view code);
