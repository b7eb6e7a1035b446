#include "calendar/visual_order.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* what;
    std::string logical;
    std::string visual;
};

TEST(VisualOrderTest, RightToLeftRunsAreDrawnInReadingOrder)
{
    const Case cases[] = {
        {"Hebrew word", "שלום", "םולש"},
        {"Hebrew month, digits keep their order", "ינואר 2026", "2026 ראוני"},
        {"brackets are mirrored", "(שלום)", "(םולש)"},
        {"Hebrew inside a left-to-right line", "Plan שלום 2026", "Plan 2026 םולש"},
        {"the direction mark is not drawn", "\u200Fשלום", "םולש"},
        // ي initial, ن medial, ا final, ي initial, ر final, right to left.
        {"Arabic letters joined", "يناير", "\uFEAE\uFEF3\uFE8E\uFEE8\uFEF3"},
        // س initial, then lam-alef as one final ligature, then م alone.
        {"lam and alef make one glyph", "سلام", "\uFEE1\uFEFC\uFEB3"},
        // The non-joiner of Persian breaks the join and is not drawn: پ
        // initial, ن medial, ج final; ش initial, ن medial, ب medial, ه final.
        {"Persian non-joiner", "پنج\u200Cشنبه", "\uFEEA\uFE92\uFEE8\uFEB7\uFE9E\uFEE8\uFB58"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(visualOrder(c.logical), c.visual) << c.what;
}

TEST(VisualOrderTest, LeftToRightTextIsKeptByteForByte)
{
    const std::string texts[] = {"January", "Jänner", "Plan 2026 – 2027", "Календарь", "Sept\u00ADember", "1月",
                                 std::string("\xFF\xFE", 2), ""};
    for (const std::string& text : texts)
        EXPECT_EQ(visualOrder(text), text) << text;
}

}  // namespace
