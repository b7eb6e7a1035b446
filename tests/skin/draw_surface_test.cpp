#include <algorithm>

#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/draw_surface.h"
#include "platform/font.h"
#include "skin_test_support.h"

namespace {

constexpr Colour red = rgbColour(255, 0, 0);
constexpr Colour blue = rgbColour(0, 0, 255);
constexpr Colour white = rgbColour(255, 255, 255);
constexpr Colour black = rgbColour(0, 0, 0);

TEST(DrawRectangle, CoversLeftToRightMinusOneAndClips)
{
    DrawSurface surface = blankSurface(10, 10);
    EXPECT_EQ(surface.pixel(0, 0), 0x030201u);
    DrawContext dc = surface.context();
    dc.rectangle({2, 3, 7, 8}, Pen{red}, Brush{blue});
    EXPECT_EQ(surface.pixel(2, 3), red);
    EXPECT_EQ(surface.pixel(6, 7), red);
    EXPECT_EQ(surface.pixel(3, 4), blue);
    EXPECT_EQ(surface.pixel(5, 6), blue);
    EXPECT_EQ(surface.pixel(7, 5), untouched);
    EXPECT_EQ(surface.pixel(4, 8), untouched);

    dc.rectangle({-5, -5, 2, 2}, Pen{red}, Brush{blue});
    EXPECT_EQ(surface.pixel(0, 0), blue);
    EXPECT_EQ(surface.pixel(1, 1), red);
    dc.rectangle({8, 8, 8, 12}, Pen{red}, Brush{blue});
    dc.rectangle({9, 9, 6, 12}, Pen{red}, Brush{blue});
    EXPECT_EQ(surface.pixel(8, 9), untouched);
}

TEST(Resources, BitmapsHaveTheirSizes)
{
    struct Expected {
        int id, width, height;
    };
    for (const Expected& e : {Expected{101, 477, 426}, Expected{102, 20, 20}, Expected{103, 20, 20},
                              Expected{104, 475, 20}, Expected{105, 20, 20}, Expected{106, 20, 20},
                              Expected{107, 20, 20}, Expected{108, 20, 20}, Expected{109, 32, 32},
                              Expected{111, 20, 20}, Expected{112, 170, 70},
                              Expected{113, 170, 70}}) {
        const Bitmap b = loadBitmap(e.id);
        ASSERT_TRUE(b.isLoaded()) << e.id;
        EXPECT_EQ(b.width(), e.width) << e.id;
        EXPECT_EQ(b.height(), e.height) << e.id;
    }
    EXPECT_FALSE(loadBitmap(110).isLoaded());
}

TEST(CopyBitmap, TransparentCopySkipsWhiteAndClipsAtTheSurfaceEdge)
{
    DrawSurface surface = blankSurface(15, 15);
    DrawContext dc = surface.context();
    dc.copyBitmapTransparent(loadBitmap(111), -2, -1, 20, 20, white);
    EXPECT_EQ(surface.pixel(0, 0), untouched);    // marker (2, 1): white
    EXPECT_EQ(surface.pixel(2, 2), black);        // marker (4, 3): the block
    EXPECT_EQ(surface.pixel(4, 4), untouched);    // marker (6, 5): the cross
    EXPECT_EQ(surface.pixel(13, 14), black);      // marker (15, 15): the block
    EXPECT_EQ(surface.pixel(14, 14), untouched);  // marker (16, 15): white
}

TEST(Font, CellHeightAndAverageWidthFollowTheRequest)
{
    const char* sample = "the quick brown fox jumps over the lazy dog";
    const Font font(15, 7, normalWeight);
    ASSERT_TRUE(font.isUsable());
    EXPECT_NEAR(font.cellHeight(), 15, 1);
    EXPECT_NEAR(font.textWidth(sample) / 43.0, 7.0, 1.0);
    const Font wide(15, 14, normalWeight);
    EXPECT_GT(wide.textWidth(sample), font.textWidth(sample) * 3 / 2);
    EXPECT_NEAR(wide.cellHeight(), 15, 1);
    EXPECT_GT(Font(18, 0, boldWeight).textWidth(sample), Font(18, 0, normalWeight).textWidth(sample));
}

TEST(DrawText, AlignsAndStaysInsideItsRectangle)
{
    const Font font(15, 7, normalWeight);
    auto ink = [&](const char* text, TextAlign align) {
        DrawSurface surface = blankSurface(100, 40);
        DrawContext dc = surface.context();
        dc.drawText(text, {10, 10, 90, 30}, font, red, align);
        return inkBounds(surface, untouched);
    };
    EXPECT_LT(ink("Go", TextAlign::left).left, 13);
    EXPECT_GT(ink("Go", TextAlign::right).right, 86);
    const InkBox centred = ink("Go", TextAlign::centre);
    EXPECT_NEAR(centred.left + centred.right, 100, 4);
    EXPECT_NEAR(centred.top + centred.bottom, 40, 4);
    for (TextAlign align : {TextAlign::left, TextAlign::centre, TextAlign::right}) {
        const InkBox clipped = ink("Wednesday Wednesday Wednesday", align);
        EXPECT_EQ(clipped.left, 10);
        EXPECT_EQ(clipped.right, 89);
        EXPECT_GE(clipped.top, 10);
        EXPECT_LE(clipped.bottom, 29);
    }
}

}  // namespace
