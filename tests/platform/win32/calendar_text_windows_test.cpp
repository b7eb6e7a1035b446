// What the Windows calendar options take from the system: month and weekday
// names from its locale data, and a font of the fonts folder for them.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/calendar_locale.h"
#include "platform/typeface_for_text.h"

namespace {

// The names of the languages the base font can show are checked against the
// Linux build's page by the Wine command-line test; these need a font file.
TEST(CalendarLocaleTest, NamesComeFromTheSystemsLocaleData)
{
    const auto polish = localeNames("pl-PL");
    ASSERT_TRUE(polish);
    EXPECT_EQ(std::tuple(polish->months[0], polish->months[2], polish->weekdayShort[0].substr(0, 2)),
              std::tuple("Stycze\u0144", "Marzec", "Ni"));
    EXPECT_FALSE(localeNames("xx-XX"));
}

TEST(CalendarLocaleTest, FontsFolderGivesAFontForWesternNamesAndNoneForUnassignedCharacters)
{
    const auto font = findTypefaceFor(U"Stycze\u0144 \u0160 0123456789");
    ASSERT_TRUE(font) << "no preferred TrueType font in the fonts folder";
    EXPECT_NE(font->path.find(".ttf"), std::string::npos);
    EXPECT_FALSE(findTypefaceFor(U"\U0010FFFD"));
}

}  // namespace
