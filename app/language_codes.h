#pragma once
#include <string_view>

// Languages --language accepts, each with the territory whose locale gives
// its names when none is asked for ("de" is read as de_DE).
struct LanguageCode {
    std::string_view language;
    std::string_view territory;
};
inline constexpr LanguageCode languageCodes[] = {
    {"bg", "BG"}, {"ca", "ES"}, {"cs", "CZ"}, {"da", "DK"}, {"de", "DE"}, {"el", "GR"}, {"en", "US"},
    {"es", "ES"}, {"et", "EE"}, {"eu", "ES"}, {"fi", "FI"}, {"fr", "FR"}, {"ga", "IE"}, {"gl", "ES"},
    {"hr", "HR"}, {"hu", "HU"}, {"is", "IS"}, {"it", "IT"}, {"lt", "LT"}, {"lv", "LV"}, {"mk", "MK"},
    {"nb", "NO"}, {"nl", "NL"}, {"nn", "NO"}, {"pl", "PL"}, {"pt", "PT"}, {"ro", "RO"}, {"ru", "RU"},
    {"sk", "SK"}, {"sl", "SI"}, {"sq", "AL"}, {"sr", "RS"}, {"sv", "SE"}, {"tr", "TR"}, {"uk", "UA"},
};

// The language code of "de" or "pt_BR" and its territory (the given one, or
// the table's); empty language when the code is not one of the table's.
struct ResolvedLanguage {
    std::string_view language;
    std::string_view territory;
};
constexpr ResolvedLanguage resolveLanguageCode(std::string_view code)
{
    const std::string_view language = code.substr(0, code.find('_'));
    std::string_view territory;
    if (language.size() < code.size()) {
        territory = code.substr(language.size() + 1);
        if (territory.size() != 2 || territory[0] < 'A' || territory[0] > 'Z' || territory[1] < 'A' || territory[1] > 'Z')
            return {};
    }
    for (const LanguageCode& known : languageCodes)
        if (known.language == language)
            return {known.language, territory.empty() ? known.territory : territory};
    return {};
}
