#pragma once
#include <optional>
#include <string>
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
    {"hr", "HR"}, {"hu", "HU"}, {"is", "IS"}, {"it", "IT"}, {"ja", "JP"}, {"ko", "KR"}, {"lt", "LT"}, {"lv", "LV"}, {"mk", "MK"},
    {"nb", "NO"}, {"nl", "NL"}, {"nn", "NO"}, {"pl", "PL"}, {"pt", "PT"}, {"ro", "RO"}, {"ru", "RU"},
    {"sk", "SK"}, {"sl", "SI"}, {"sq", "AL"}, {"sr", "RS"}, {"sv", "SE"}, {"tr", "TR"}, {"uk", "UA"}, {"zh", "CN"},
};

// A --language value and the locale whose names it asks for.
struct ChosenLanguage {
    std::string code;       // as given: "de", "pt_BR"
    std::string language;   // "de", "pt"
    std::string territory;  // "DE", "BR": the given one or the table's
    bool operator==(const ChosenLanguage&) const = default;
};

// The language of "de" or "pt_BR"; nothing when the code is not one of the
// table's or its territory is not two capital letters.
inline std::optional<ChosenLanguage> chooseLanguage(std::string_view code)
{
    const std::string_view language = code.substr(0, code.find('_'));
    std::string_view territory;
    if (language.size() < code.size()) {
        territory = code.substr(language.size() + 1);
        if (territory.size() != 2 || territory[0] < 'A' || territory[0] > 'Z' || territory[1] < 'A' || territory[1] > 'Z')
            return std::nullopt;
    }
    for (const LanguageCode& known : languageCodes)
        if (known.language == language)
            return ChosenLanguage{std::string(code), std::string(known.language),
                                  std::string(territory.empty() ? known.territory : territory)};
    return std::nullopt;
}
