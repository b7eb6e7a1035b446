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

TEST(DrawSurface, ColoursReadBackAsBlueGreenRed)
{
    DrawSurface surface(3, 2);
    ASSERT_TRUE(surface.isValid());
    surface.fill(rgbColour(1, 2, 3));
    EXPECT_EQ(surface.pixel(2, 1), 0x030201u);
    EXPECT_EQ(surface.pixel(3, 0), 0u);
    EXPECT_EQ(surface.pixel(-1, 0), 0u);
}

TEST(DrawSurface, EmptySizeGivesASurfaceThatDrawsNothing)
{
    DrawSurface surface(0, 10);
    EXPECT_FALSE(surface.isValid());
    DrawContext dc = surface.context();
    dc.rectangle({0, 0, 5, 5}, Pen{red}, Brush{blue});
    dc.drawText("x", {0, 0, 5, 5}, Font(15, 7, normalWeight), red, TextAlign::left);
}

TEST(DrawRectangle, CoversLeftToRightMinusOne)
{
    DrawSurface surface = blankSurface(10, 10);
    DrawContext dc = surface.context();
    dc.rectangle({2, 3, 7, 8}, Pen{red}, Brush{blue});
    EXPECT_EQ(surface.pixel(2, 3), red);
    EXPECT_EQ(surface.pixel(6, 7), red);
    EXPECT_EQ(surface.pixel(6, 5), red);
    EXPECT_EQ(surface.pixel(3, 4), blue);
    EXPECT_EQ(surface.pixel(5, 6), blue);
    EXPECT_EQ(surface.pixel(7, 5), untouched);
    EXPECT_EQ(surface.pixel(4, 8), untouched);
    EXPECT_EQ(surface.pixel(1, 3), untouched);
}

TEST(DrawRectangle, EmptyOrInvertedRectanglesDrawNothing)
{
    DrawSurface surface = blankSurface(10, 10);
    DrawContext dc = surface.context();
    dc.rectangle({5, 5, 5, 9}, Pen{red}, Brush{blue});
    dc.rectangle({5, 5, 2, 9}, Pen{red}, Brush{blue});
    EXPECT_EQ(surface.pixel(5, 5), untouched);
}

TEST(DrawRectangle, PartlyOutsideIsClipped)
{
    DrawSurface surface = blankSurface(10, 10);
    DrawContext dc = surface.context();
    dc.rectangle({-5, -5, 4, 4}, Pen{red}, Brush{blue});
    EXPECT_EQ(surface.pixel(0, 0), blue);
    EXPECT_EQ(surface.pixel(3, 3), red);
    EXPECT_EQ(surface.pixel(4, 4), untouched);
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
    EXPECT_FALSE(loadBitmap(0).isLoaded());
}

TEST(CopyBitmap, UnknownBitmapDrawsNothing)
{
    DrawSurface surface = blankSurface(10, 10);
    DrawContext dc = surface.context();
    dc.copyBitmap(loadBitmap(0), 0, 0, 10, 10);
    dc.copyBitmapTransparent(loadBitmap(0), 0, 0, 10, 10, white);
    EXPECT_EQ(surface.pixel(5, 5), untouched);
}

TEST(CopyBitmap, TransparentCopySkipsWhiteAndClipsAtTheSurfaceEdge)
{
    DrawSurface surface = blankSurface(15, 15);
    DrawContext dc = surface.context();
    dc.copyBitmapTransparent(loadBitmap(111), -2, -1, 20, 20, white);
    EXPECT_EQ(surface.pixel(0, 0), untouched);         // marker (2, 1): white
    EXPECT_EQ(surface.pixel(2, 2), black);             // marker (4, 3): block
    EXPECT_EQ(surface.pixel(4, 4), untouched);         // marker (6, 5): the cross
    EXPECT_EQ(surface.pixel(13, 14), black);           // marker (15, 15): block
    EXPECT_EQ(surface.pixel(14, 14), untouched);       // marker (16, 15): white
}

TEST(Font, SizesFollowTheRequest)
{
    const Font font(15, 7, normalWeight);
    ASSERT_TRUE(font.isUsable());
    EXPECT_NEAR(font.cellHeight(), 15, 1);
    // Lower-case text with spaces averages close to the requested width.
    const char* sample = "the quick brown fox jumps over the lazy dog";
    EXPECT_NEAR(font.textWidth(sample) / 43.0, 7.0, 1.0);
    const Font wide(15, 14, normalWeight);
    EXPECT_GT(wide.textWidth(sample), font.textWidth(sample) * 3 / 2);
    EXPECT_NEAR(wide.cellHeight(), 15, 1);
}

TEST(Font, BoldIsHeavier)
{
    const Font normal(18, 0, normalWeight);
    const Font bold(18, 0, boldWeight);
    ASSERT_TRUE(bold.isUsable());
    EXPECT_GT(bold.textWidth("Create Calendar"), normal.textWidth("Create Calendar"));
}

TEST(DrawText, StaysInsideItsRectangleAndAligns)
{
    const Font font(15, 7, normalWeight);
    for (TextAlign align : {TextAlign::left, TextAlign::centre, TextAlign::right}) {
        DrawSurface surface = blankSurface(100, 40);
        DrawContext dc = surface.context();
        dc.drawText("Wednesday Wednesday", {10, 10, 60, 30}, font, red, align);
        int inkLeft = 100, inkRight = -1;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (surface.pixel(x, y) == untouched)
                    continue;
                EXPECT_TRUE(x >= 10 && x < 60 && y >= 10 && y < 30) << x << "," << y;
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
        }
        EXPECT_LE(inkLeft, 12);
        EXPECT_GE(inkRight, 57);
    }
}

TEST(DrawText, AlignmentPlacesShortText)
{
    const Font font(15, 7, normalWeight);
    auto inkSpan = [&](TextAlign align) {
        DrawSurface surface = blankSurface(200, 20);
        DrawContext dc = surface.context();
        dc.drawText("Go", {0, 0, 200, 20}, font, black, align);
        return inkBounds(surface, untouched);
    };
    EXPECT_LT(inkSpan(TextAlign::left).left, 3);
    EXPECT_GT(inkSpan(TextAlign::right).right, 196);
    const InkBox centred = inkSpan(TextAlign::centre);
    EXPECT_NEAR(centred.left + centred.right, 200, 4);
}

}  // namespace
