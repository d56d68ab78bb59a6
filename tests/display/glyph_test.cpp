// The dot order of the glyph bitmap and the places of the glyph box's one or two frames.
#include "data/database.h"
#include "data/program_state.h"
#include "display/display.h"
#include "tests/display/display_fixture.h"

using GlyphTest = DisplayTest;

TEST_F(GlyphTest, EachCornerBitLandsInItsCornerAndEveryDotIsWritten)
{
    const struct { int byte, value, column, row; } corners[] = {
        {0, 0x80, 0, 0}, {2, 0x01, 23, 0}, {69, 0x80, 0, 23}, {71, 0x01, 23, 23}};
    for (const auto& corner : corners) {
        BackingImage().fill(Qt::red);
        std::uint8_t glyph[72] = {};
        glyph[corner.byte] = static_cast<std::uint8_t>(corner.value);
        DrawGlyph(BackingImage(), glyph, 200, 100, Qt::black);
        EXPECT_EQ(Pixel(200 + corner.column, 100 + corner.row), Black) << corner.byte;
        EXPECT_EQ(Count(200, 100, 224, 124, White), 575) << corner.byte;
        EXPECT_EQ(Count(0, 0, 600, 380, Red), 600 * 380 - 576);
    }
    // Partly outside the area: cut at the edge, never written past the image.
    BackingImage().fill(Qt::red);
    const std::vector<std::uint8_t> solid(72, 0xFF);
    DrawGlyph(BackingImage(), solid.data(), 590, 370, Qt::black);
    EXPECT_EQ(Count(0, 0, 600, 380, Black), 100);
}

class ShowCharTest : public DisplayTest {
protected:
    static constexpr std::uint16_t Traditional = 0x570B, Simplified = 0x56FD, Blank = 0x4E00;

    void SetUp() override
    {
        DisplayTest::SetUp();
        TestDatabase database;
        TestChar& both = database.AddChar(Traditional, {"guo2 country"});
        both.glyph = GlyphWithDot(0, 0);
        both.otherForm = Simplified;
        both.showBoth = 1;
        database.AddChar(Simplified, {"guo2 country"}).glyph = GlyphWithDot(23, 0);
        database.AddChar(Blank, {"yi1 one"});  // no glyph
        database.Write();
        ASSERT_EQ(LoadIndex(), 1);
    }
    void Show(int code, int options, Rect area)
    {
        App.CurrentChar = code;
        App.DisplayOptions = options;
        ShowChar();
        EXPECT_EQ(GlyphArea.left, area.left);
        EXPECT_EQ(GlyphArea.top, area.top);
        EXPECT_EQ(GlyphArea.right, area.right);
        EXPECT_EQ(GlyphArea.bottom, area.bottom);
    }
    void ExpectFrameAt(int x, int y)
    {
        EXPECT_EQ(Pixel(x, y), Yellow) << "rounded corner at " << x;
        EXPECT_EQ(Pixel(x + 6, y), Grey) << x;
        EXPECT_EQ(Pixel(x, y + 10), Grey) << x;
        EXPECT_EQ(Pixel(x + 29, y + 10), Grey) << x;
        EXPECT_EQ(Pixel(x + 1, y + 10), White) << x;
    }
};

TEST_F(ShowCharTest, OneBoxTwoBoxesAndTheEraseOnTheWayBack)
{
    Show(Traditional, 0, {97, 17, 127, 47});  // ShowBoth set, simplified display off: main form alone
    ExpectFrameAt(97, 17);
    EXPECT_EQ(Pixel(100, 20), Black);
    EXPECT_EQ(Count(100, 20, 124, 44, Black), 1);
    EXPECT_EQ(Count(0, 0, 600, 380, Yellow), 67) << "the first call fills nothing: only the frame's corners";

    Show(Traditional, CharsSimplified, {84, 17, 143, 47});
    ExpectFrameAt(84, 17);
    ExpectFrameAt(113, 17);
    EXPECT_EQ(Pixel(87 + 23, 20), Black) << "simplified on the left";
    EXPECT_EQ(Pixel(116, 20), Black) << "traditional on the right";
    EXPECT_EQ(Count(84, 17, 143, 47, Black), 2);

    Show(Traditional, 0, {97, 17, 127, 47});
    EXPECT_EQ(Count(84, 17, 97, 47, Yellow), 13 * 30);
    EXPECT_EQ(Count(127, 17, 143, 47, Yellow), 16 * 30);
    ExpectFrameAt(97, 17);
    EXPECT_EQ(Count(84, 17, 143, 47, Black), 1);
    EXPECT_EQ(Count(0, 0, 600, 380, White), 600 * 380 - 59 * 30 + Count(84, 17, 143, 47, White));
}

TEST_F(ShowCharTest, SimplifiedAloneAndCharactersWithoutGlyph)
{
    Show(Simplified, CharsSimplified, {97, 17, 127, 47});  // its own other form, ShowBoth clear
    EXPECT_EQ(Pixel(123, 20), Black);
    for (int code : {int(Blank), 0xFFFF, -5}) {
        Show(code, CharsSimplified, {97, 17, 127, 47});
        ExpectFrameAt(97, 17);
        EXPECT_EQ(Count(100, 20, 124, 44, White), 576) << code;
    }
}
