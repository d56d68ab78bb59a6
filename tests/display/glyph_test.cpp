// The dot order of the glyph bitmap and the places of the glyph box's one or two frames.
#include "engine/drawing.h"
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
    }
    // Partly outside the area: cut at the edge, never written past the image.
    BackingImage().fill(Qt::red);
    const std::vector<std::uint8_t> solid(72, 0xFF);
    DrawGlyph(BackingImage(), solid.data(), 590, 370, Qt::black);
    EXPECT_EQ(Count(0, 0, 600, 380, Black), 100);
}

class ShowCharTest : public DatabaseTest {
protected:
    // Shows the character and checks the glyph area it records.
    void Show(int code, int options, Rect area)
    {
        App.CurrentChar = code;
        App.DisplayOptions = options;
        ShowChar();
        EXPECT_EQ(Corners(GlyphArea), Corners(area));
    }
    // The frame picture: a rounded yellow corner, grey edges, white inside.
    void ExpectFrameAt(int x, int y)
    {
        EXPECT_EQ(Pixel(x, y), Yellow) << x;
        EXPECT_EQ(Pixel(x + 6, y), Grey) << x;
        EXPECT_EQ(Pixel(x + 29, y + 10), Grey) << x;
        EXPECT_EQ(Pixel(x + 1, y + 10), White) << x;
    }
};

TEST_F(ShowCharTest, OneBoxTwoBoxesAndTheEraseOnTheWayBack)
{
    Show(Guo, 0, {97, 17, 127, 47});  // ShowBoth set, simplified display off: main form alone
    ExpectFrameAt(97, 17);
    EXPECT_EQ(Pixel(100, 20 + 23), Black);
    EXPECT_EQ(Count(0, 0, 600, 380, Yellow), 67) << "the first call fills nothing: only the frame's corners";

    Show(Guo, CharsSimplified, {84, 17, 143, 47});
    ExpectFrameAt(84, 17);
    ExpectFrameAt(113, 17);
    EXPECT_EQ(Pixel(87 + 23, 20), Black) << "simplified on the left";
    EXPECT_EQ(Pixel(116, 20 + 23), Black) << "traditional on the right";
    EXPECT_EQ(Count(84, 17, 143, 47, Black), 2);

    Show(Guo, 0, {97, 17, 127, 47});
    EXPECT_EQ(Count(84, 17, 97, 47, Yellow), 13 * 30);
    EXPECT_EQ(Count(127, 17, 143, 47, Yellow), 16 * 30);
    ExpectFrameAt(97, 17);
    EXPECT_EQ(Count(84, 17, 143, 47, Black), 1);
}

TEST_F(ShowCharTest, SimplifiedAloneAndCharactersWithoutGlyph)
{
    Show(GuoSimplified, CharsSimplified, {97, 17, 127, 47});  // its own other form, ShowBoth clear
    EXPECT_EQ(Pixel(123, 20), Black);
    for (int code : {int(Yi), 0xFFFF, -5}) {
        Show(code, CharsSimplified, {97, 17, 127, 47});
        EXPECT_EQ(Count(100, 20, 124, 44, White), 576) << code;
    }
}
