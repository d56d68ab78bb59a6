#include <gtest/gtest.h>

#include <filesystem>

#include "glyphs.h"

TEST(GlyphTest, DotsUseTheTrainersBitOrder) {
    struct Case {
        int x, y;
        std::size_t byte;
        std::uint8_t value;
    };
    for (const Case& c : {Case{0, 0, 0, 0x80}, Case{23, 0, 2, 0x01}, Case{0, 23, 69, 0x80}, Case{23, 23, 71, 0x01},
                          Case{8, 1, 4, 0x80}, Case{9, 0, 1, 0x40}}) {
        Glyph g{};
        SetDot(g, c.x, c.y);
        EXPECT_EQ(g[c.byte], c.value) << c.x << "," << c.y;
        EXPECT_EQ(DotCount(g), 1);
        EXPECT_TRUE(HasDot(g, c.x, c.y));
    }
}

TEST(GlyphTest, BitmapsAreCentredAndOversizeOnesRefused) {
    // A 2x2 block, rows of one byte each (MSB leftmost), lands in the middle of the cell.
    const std::uint8_t block[] = {0xC0, 0xC0};
    Glyph g{};
    ASSERT_TRUE(PlaceBitmap(block, 2, 2, 1, g));
    EXPECT_EQ(DotCount(g), 4);
    EXPECT_TRUE(HasDot(g, 11, 11) && HasDot(g, 12, 11) && HasDot(g, 11, 12) && HasDot(g, 12, 12));
    // A full 24-wide row: three bytes per row, all ink.
    const std::uint8_t row[] = {0xFF, 0xFF, 0xFF, 0x00};
    ASSERT_TRUE(PlaceBitmap(row, 24, 1, 4, g));
    EXPECT_EQ(DotCount(g), 24);
    EXPECT_TRUE(HasDot(g, 0, 11) && HasDot(g, 23, 11));
    std::vector<std::uint8_t> big(25 * 4, 0xFF);
    EXPECT_FALSE(PlaceBitmap(big.data(), 25, 25, 4, g));
}

TEST(GlyphTest, FontGlyphsRenderAsStrokesInTheCell) {
    if (!std::filesystem::exists(DBBUILD_FONT)) GTEST_SKIP() << "font not installed";
    GlyphRenderer renderer;
    std::string error;
    ASSERT_TRUE(renderer.Open(DBBUILD_FONT, 0, error)) << error;
    // 一 is one horizontal stroke: wide, a few rows high, in the middle band.
    Glyph one{};
    ASSERT_TRUE(renderer.Render(U'一', one));
    int minX = 24, maxX = -1, minY = 24, maxY = -1;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            if (!HasDot(one, x, y)) continue;
            minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    }
    EXPECT_GE(maxX - minX, 18);
    EXPECT_LE(maxY - minY, 4);
    EXPECT_GE(minY, 8);
    EXPECT_LE(maxY, 15);
    // A dense character still fits the cell and is mostly paper.
    Glyph dense{};
    ASSERT_TRUE(renderer.Render(U'鬱', dense));
    EXPECT_GT(DotCount(dense), 100);
    EXPECT_LT(DotCount(dense), 400);
    // A code the font lacks gives no glyph.
    Glyph none{};
    EXPECT_FALSE(renderer.Render(0xE000, none));
    EXPECT_EQ(DotCount(none), 0);
}
