// A drawing area for the display tests: a plain widget and three status labels stand in for the
// main window; every test starts from a white backing image, no caret and no glyph box.
#pragma once
#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

#include "data/database.h"
#include "data/program_state.h"
#include "display/canvas.h"
#include "display/caret.h"
#include "display/text.h"
#include "display/glyph.h"
#include "engine/window.h"
#include "tests/support/test_support.h"

constexpr QRgb White = 0xFFFFFF, Black = 0, Yellow = 0xFFFF00, Grey = 0xC0C0C0, Green = 0x00FF00, Red = 0xFF0000,
               Blue = 0x0000FF;

class DisplayTest : public testing::Test {
protected:
    void SetUp() override
    {
        DrawingWidget = &widget;
        for (int i = 0; i < 3; ++i) StatusParts[i] = &labels[i];
        BackingImage().fill(Qt::white);
        GlyphArea = {0, 0, 0, 0};
        RemoveCaret();
    }
    void TearDown() override
    {
        DrawingWidget = nullptr;
        for (auto& part : StatusParts) part = nullptr;
    }
    static QRgb Pixel(int x, int y) { return BackingImage().pixel(x, y) & 0xFFFFFF; }
    // Pixels of the colour in the rectangle (right and bottom excluded).
    static int Count(int left, int top, int right, int bottom, QRgb colour)
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) count += Pixel(x, y) == colour;
        return count;
    }

    TestFolder folder;
    QWidget widget;
    QLabel labels[3];
};

inline std::vector<int> Corners(const Rect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

inline std::vector<std::uint8_t> GlyphWithDot(int column, int row)
{
    std::vector<std::uint8_t> glyph(72, 0);
    glyph[3 * row + column / 8] = static_cast<std::uint8_t>(0x80 >> (column % 8));
    return glyph;
}

// A database whose glyphs have one dot each, in a corner of their own: 你 top left, 好 bottom
// right, 國 bottom left, shown beside its simplified form 国 top right; 一 has no glyph.
class DatabaseTest : public DisplayTest {
protected:
    static constexpr std::uint16_t Ni = 0x4F60, Hao = 0x597D, Guo = 0x570B, GuoSimplified = 0x56FD, Yi = 0x4E00;

    void SetUp() override
    {
        DisplayTest::SetUp();
        TestDatabase database;
        database.AddChar(Ni, {"ni3 you"}).glyph = GlyphWithDot(0, 0);
        database.AddChar(Hao, {"hao3 good"}).glyph = GlyphWithDot(23, 23);
        TestChar& guo = database.AddChar(Guo, {"guo2 country"});
        guo.glyph = GlyphWithDot(0, 23);
        guo.otherForm = GuoSimplified;
        guo.showBoth = 1;
        database.AddChar(GuoSimplified, {"guo2 country"}).glyph = GlyphWithDot(23, 0);
        database.AddChar(Yi, {"yi1 one"});
        database.Write();
        ASSERT_EQ(LoadIndex(), 1);
    }
};

// The measured rectangle of a text drawn from (left, top) with the flags.
inline TextRect Measured(const QByteArray& text, int left, int top, unsigned flags, int weight, int right = 580)
{
    TextRect rect = {left, top, right, top + 300};
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    DrawText(painter, text, rect, flags | DT_CALCRECT, PointFont(8, weight), Qt::black);
    return rect;
}
