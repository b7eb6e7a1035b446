#include "calendar/composite_glyphs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A record's header: the number of contours and a box of zeros.
std::vector<unsigned char> header(unsigned char contoursHigh, unsigned char contoursLow)
{
    return {contoursHigh, contoursLow, 0, 0, 0, 0, 0, 0, 0, 0};
}

TEST(CompositeGlyphsTest, ComponentsFollowTheirFlags)
{
    struct Case {
        const char* what;
        std::vector<unsigned char> entries;  // after the header; empty: a simple glyph
        std::vector<std::uint16_t> components;
    };
    const Case cases[] = {
        // byte arguments, then word arguments with a scale: 4 + 2, then 4 + 4 + 2
        {"two components", {0x00, 0x20, 0x17, 0x3B, 1, 2, 0x00, 0x09, 0x17, 0x2E, 0, 1, 0, 2, 0x40, 0}, {5947, 5934}},
        // x and y scales (4 bytes), then a two-by-two matrix (8 bytes)
        {"scaled components", {0x00, 0x60, 0, 7, 1, 2, 0, 0, 0, 0, 0x00, 0x80, 0, 9, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0}, {7, 9}},
        {"an entry cut short", {0x00, 0x20, 0, 7, 1, 2, 0x00}, {7}},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> record = header(0xFF, 0xFF);
        record.insert(record.end(), c.entries.begin(), c.entries.end());
        EXPECT_EQ(compositeComponents(record), c.components) << c.what;
    }
    EXPECT_TRUE(compositeComponents(header(0, 2)).empty()) << "a simple glyph";
    EXPECT_TRUE(compositeComponents(std::vector<unsigned char>{0xFF, 0xFF, 0}).empty()) << "a record cut short";
}

}  // namespace
