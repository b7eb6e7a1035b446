// Text echoed in messages: control characters shown, everything else kept.
#include "calendar/shown_text.h"

#include <gtest/gtest.h>

TEST(ShownText, ControlCharactersAreShownAndOtherTextKept)
{
    const std::pair<std::string, std::string> cases[] = {
        {"holidays.ics", "holidays.ics"},
        {"Ærø – 5b\\x", "Ærø – 5b\\x"},
        {"\x1b[2Jgone\a\n\r\t", "\\e[2Jgone\\x07\\n\\r\\t"},
        {std::string("a\0b\x7f", 4), "a\\x00b\\x7f"},
        {"\xc2\x9b" "31m \xc2\xa0", "\\xc2\\x9b31m \xc2\xa0"},  // C1 CSI shown, no-break space kept
        {"\xc2", "\xc2"},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(shownText(text), shown);
}
