#include "app/language_codes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The parts of a code as "language/script/territory/modifier", or "refused".
std::string partsOf(std::string_view code)
{
    const auto request = parseLanguageCode(code);
    if (!request)
        return "refused";
    return request->language + "/" + request->script + "/" + request->territory + "/" + request->modifier;
}

}  // namespace

TEST(LanguageCodeTest, BcpTagsAndPosixNamesInAnyCase)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"de", "de///"},
        {"DE", "de///"},
        {"pt_br", "pt//BR/"},
        {"zh-hant-tw", "zh/Hant/TW/"},
        {"es-419", "es//419/"},
        {"ca-ES-valencia", "ca//ES/valencia"},
        {"de-DE-u-ca-gregory", "de//DE/"},
        {"de_DE@euro", "de//DE/euro"},
        {"sr_RS.utf8@Latin", "sr//RS/latin"},
        {"fil", "fil///"},
        {"german", "refused"},
        {"d", "refused"},
        {"de-", "refused"},
        {"de_DE.", "refused"},
        {"de@", "refused"},
        {"../../etc/passwd", "refused"},
        {std::string(65, 'a'), "refused"},
    };
    for (const auto& [code, parts] : cases)
        EXPECT_EQ(partsOf(code), parts) << code;
}

// A code is refused only when neither the system nor the table of usual
// territories knows its language; a known one whose locale is missing comes
// back uninstalled, for the warning and the English calendar.
TEST(LanguageCodeTest, LanguagesTheSystemOrTheTableKnow)
{
    const std::vector<std::tuple<std::string, bool, bool>> cases = {
        // code, accepted, installed
        {"pt-BR", true, true},
        {"de_XX", true, false},
        {"xx", false, false},
    };
    for (const auto& [code, accepted, installed] : cases) {
        const auto chosen = chooseLanguage(code);
        EXPECT_EQ(chosen.has_value(), accepted) << code;
        EXPECT_EQ(chosen && chosen->locale.installed, installed) << code;
    }
}
