// The dot order of the glyph bitmap and the places of the glyph box's one or two frames.
#include "data/database.h"
#include "data/program_state.h"
#include "display/display.h"
#include "display/glyph.h"
#include "tests/display/display_fixture.h"

using GlyphTest = DisplayTest;

TEST_F(GlyphTest, BitOrderPutsEachCornerDotInItsCorner)
{
    struct Corner {
        int byte;
        std::uint8_t value;
        int column;
        int row;
    };
    const Corner corners[] = {{0, 0x80, 0, 0}, {2, 0x01, 23, 0}, {69, 0x80, 0, 23}, {71, 0x01, 23, 23}};
    for (const Corner& corner : corners) {
        BackingImage().fill(Qt::red);
        std::uint8_t glyph[72] = {};
        glyph[corner.byte] = corner.value;
        DrawGlyph(BackingImage(), glyph, 200, 100, Qt::black);
        EXPECT_EQ(Pixel(200 + corner.column, 100 + corner.row), Black) << "byte " << corner.byte;
        EXPECT_EQ(Count(200, 100, 224, 124, Black), 1) << "byte " << corner.byte;
        // Every other dot of the cell is paper, whatever was under it.
        EXPECT_EQ(Count(200, 100, 224, 124, White), 575) << "byte " << corner.byte;
        EXPECT_EQ(Count(0, 0, 600, 380, Red), 600 * 380 - 576);
    }
    BackingImage().fill(Qt::red);
    DrawGlyph(BackingImage(), nullptr, 200, 100, Qt::black);
    EXPECT_EQ(Count(0, 0, 600, 380, Red), 600 * 380) << "no bitmap, no drawing";
    // A glyph partly outside the area is cut at the edge instead of writing past the image.
    DrawGlyph(BackingImage(), SolidGlyph().data(), 590, 370, Qt::black);
    EXPECT_EQ(Count(0, 0, 600, 380, Black), 100);
}

class ShowCharTest : public DisplayTest {
protected:
    static constexpr std::uint16_t Traditional = 0x570B;
    static constexpr std::uint16_t Simplified = 0x56FD;
    static constexpr std::uint16_t Alike = 0x4EBA;
    static constexpr std::uint16_t Blank = 0x4E00;

    void SetUp() override
    {
        DisplayTest::SetUp();
        TestDatabase database;
        TestChar& both = database.AddChar(Traditional, {"guo2 country"});
        both.glyph = GlyphWithDots({{0, 0}});  // top left dot: the traditional form
        both.otherForm = Simplified;
        both.showBoth = 1;
        database.AddChar(Simplified, {"guo2 country"}).glyph = GlyphWithDots({{23, 0}});  // top right dot
        database.AddChar(Alike, {"ren2 person"}).glyph = GlyphWithDots({{0, 23}});
        database.AddChar(Blank, {"yi1 one"});  // no glyph at all
        database.Write();
        ASSERT_EQ(LoadIndex(), 1);
    }

    void Show(int code, int options)
    {
        App.CurrentChar = code;
        App.DisplayOptions = options;
        ShowChar();
    }

    // The frame's outline: grey on the left and right edges at its middle row.
    void ExpectFrameAt(int x, int y)
    {
        EXPECT_EQ(Pixel(x, y + 10), FrameGrey) << x;
        EXPECT_EQ(Pixel(x + 29, y + 10), FrameGrey) << x;
        EXPECT_EQ(Pixel(x, y), Yellow) << "rounded corner " << x;
        EXPECT_EQ(Pixel(x + 6, y), FrameGrey) << x;
        EXPECT_EQ(Pixel(x + 1, y + 10), White) << x;
    }
};

TEST_F(ShowCharTest, OneBoxAtItsPlaceAndNothingErasedTheFirstTime)
{
    Show(Traditional, 0);
    ExpectFrameAt(97, 17);
    EXPECT_EQ(Pixel(100, 20), Black);
    EXPECT_EQ(Count(100, 20, 124, 44, Black), 1) << "the traditional form only, whatever ShowBoth says";
    EXPECT_EQ(GlyphArea.left, 97);
    EXPECT_EQ(GlyphArea.top, 17);
    EXPECT_EQ(GlyphArea.right, 127);
    EXPECT_EQ(GlyphArea.bottom, 47);
    // Only the frame's 67 corner pixels are yellow: the first call fills nothing.
    EXPECT_EQ(Count(0, 0, 600, 380, Yellow), 67);
    EXPECT_EQ(CountOther(0, 0, 600, 380, White), CountOther(97, 17, 127, 47, White));
}

TEST_F(ShowCharTest, TwoBoxesSimplifiedLeftTraditionalRightThenBackToOne)
{
    Show(Traditional, CharsSimplified);
    ExpectFrameAt(84, 17);
    ExpectFrameAt(113, 17);
    EXPECT_EQ(Pixel(87 + 23, 20), Black) << "simplified glyph in the left box";
    EXPECT_EQ(Pixel(116, 20), Black) << "traditional glyph in the right box";
    EXPECT_EQ(Count(87, 20, 111, 44, Black) + Count(116, 20, 140, 44, Black), 2);
    EXPECT_EQ(GlyphArea.left, 84);
    EXPECT_EQ(GlyphArea.right, 143);
    EXPECT_EQ(GlyphArea.bottom, 47);

    // Both forms switched off: the wider drawing is wiped yellow before the single box goes in.
    Show(Traditional, 0);
    EXPECT_EQ(Count(84, 17, 97, 47, Yellow), 13 * 30);
    EXPECT_EQ(Count(127, 17, 143, 47, Yellow), 16 * 30);
    ExpectFrameAt(97, 17);
    EXPECT_EQ(Pixel(100, 20), Black);
    EXPECT_EQ(Count(100, 20, 124, 44, Black), 1);
    EXPECT_EQ(CountOther(0, 0, 600, 380, White), CountOther(84, 17, 143, 47, White));
}

TEST_F(ShowCharTest, SimplifiedSettingPicksTheOtherFormInOneBox)
{
    // Simplified wanted but the record does not ask for both: the simplified form alone.
    Show(Simplified, CharsSimplified);
    EXPECT_EQ(Pixel(123, 20), Black);
    EXPECT_EQ(Count(100, 20, 124, 44, Black), 1);

    // A character that is its own other form looks the same with and without the setting.
    Show(Alike, CharsSimplified);
    const QImage withSetting = BackingImage().copy(97, 17, 30, 30);
    Show(Alike, 0);
    EXPECT_EQ(BackingImage().copy(97, 17, 30, 30), withSetting);
    EXPECT_EQ(Pixel(100, 43), Black);
}

TEST_F(ShowCharTest, MissingGlyphsAndCodesShowAnEmptyBox)
{
    Show(Blank, 0);
    ExpectFrameAt(97, 17);
    EXPECT_EQ(Count(100, 20, 124, 44, White), 576);
    Show(0xFFFF, CharsSimplified);
    EXPECT_EQ(Count(100, 20, 124, 44, White), 576);
    Show(-5, CharsSimplified);
    EXPECT_EQ(Count(100, 20, 124, 44, White), 576);
}

TEST_F(ShowCharTest, NothingHappensWithoutAWindow)
{
    DrawingWidget = nullptr;
    Show(Traditional, CharsSimplified);
    EXPECT_EQ(CountOther(0, 0, 600, 380, White), 0);
    EXPECT_EQ(GlyphArea.left, 0);
}
