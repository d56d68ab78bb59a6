// The example-word panel: empty until the answer, then framed glyphs, reading and translation.
#include <QPainter>
#include <algorithm>

#include "data/database.h"
#include "data/program_state.h"
#include "display/display.h"
#include "tests/display/display_fixture.h"

class ExamplesTest : public DisplayTest {
protected:
    static constexpr std::uint16_t Ni = 0x4F60;
    static constexpr std::uint16_t Hao = 0x597D;
    static constexpr std::uint16_t Guo = 0x570B;
    static constexpr std::uint16_t GuoSimplified = 0x56FD;

    void SetUp() override
    {
        DisplayTest::SetUp();
        TestDatabase database;
        database.AddChar(Ni, {"ni3 you"}).glyph = GlyphWithDots({{0, 0}});
        database.AddChar(Hao, {"hao3 good"}).glyph = GlyphWithDots({{23, 23}});
        TestChar& guo = database.AddChar(Guo, {"guo2 country"});
        guo.glyph = GlyphWithDots({{0, 23}});
        guo.otherForm = GuoSimplified;
        database.AddChar(GuoSimplified, {"guo2 country"}).glyph = GlyphWithDots({{23, 0}});
        database.Write();
        ASSERT_EQ(LoadIndex(), 1);
        App.Answered = true;
    }

    void AddExample(std::vector<std::uint16_t> word, const char* text)
    {
        word.push_back(0);
        App.ExampleList.Append({WideString(word.data()), WideString(text)});
    }

    static TextRect Measured(const QByteArray& text, int left, int top, int weight)
    {
        TextRect rect = {left, top, 580, top + 100};
        QImage scratch(10, 10, QImage::Format_RGB32);
        QPainter painter(&scratch);
        DrawText(painter, text, rect, DT_WORDBREAK | DT_CALCRECT, PointFont(8, weight), Qt::black);
        return rect;
    }
};

TEST_F(ExamplesTest, PanelIsPlainYellowBeforeTheAnswer)
{
    AddExample({Ni, Hao}, "<ni3 hao3> hello");
    App.Answered = false;
    ShowExamples();
    EXPECT_EQ(Count(325, 25, 580, 370, Yellow), 255 * 345);
    EXPECT_EQ(CountOther(0, 0, 600, 380, White), 255 * 345);
}

TEST_F(ExamplesTest, TwoCharacterWordWithReadingAndTranslation)
{
    AddExample({Ni, Hao}, "<ni3 hao3> hello");
    ShowExamples();
    SavePicture("examples_two");
    // Frames on a 29-pixel pitch sharing a column, glyphs inside them.
    EXPECT_EQ(Pixel(325, 22), Yellow);
    EXPECT_EQ(Pixel(325, 35), FrameGrey);
    EXPECT_EQ(Pixel(354, 35), FrameGrey);
    EXPECT_EQ(Pixel(383, 35), FrameGrey);
    EXPECT_EQ(Pixel(328, 28), Black) << "first character's top left dot";
    EXPECT_EQ(Pixel(357 + 23, 28 + 23), Black) << "second character's bottom right dot";
    EXPECT_EQ(Count(328, 28, 352, 52, Black) + Count(357, 28, 381, 52, Black), 2);

    // Reading in bold from x 387, y 23; translation from its bottom less one, same x.
    const TextRect reading = Measured("ni3 hao3", 387, 23, 700);
    EXPECT_EQ(Count(384, 25, 387, 100, Black), 0) << "the text column starts 6 pixels after the glyph";
    EXPECT_GT(Count(387, 23, reading.right, reading.bottom, Black), 0);
    const TextRect translation = Measured("hello", 387, reading.bottom - 1, 400);
    EXPECT_GT(Count(387, reading.bottom, translation.right, translation.bottom, Black), 0);
    EXPECT_EQ(Count(std::max(reading.right, translation.right) + 1, 23, 580, 100, Black), 0);
    EXPECT_EQ(Count(325, 25 + 47, 580, 370, Black), 0) << "one example only";
}

TEST_F(ExamplesTest, AtMostEightExamplesInListOrder)
{
    for (int n = 0; n < 10; ++n) AddExample({n % 2 == 0 ? Ni : Hao}, "<ni3> x");
    ShowExamples();
    SavePicture("examples_ten");
    for (int n = 0; n < 8; ++n) {
        const int d = 3 + 44 * n;
        EXPECT_EQ(Pixel(325, 35 + d), FrameGrey) << n;
        if (n % 2 == 0) {
            EXPECT_EQ(Pixel(328, 25 + d), Black) << n;
        } else {
            EXPECT_EQ(Pixel(351, 48 + d), Black) << n;
        }
    }
    // A ninth would have started at d = 355, inside the image but below the panel.
    EXPECT_EQ(CountOther(0, 370, 600, 380, White), 0);
}

TEST_F(ExamplesTest, SimplifiedSettingDrawsTheOtherForm)
{
    AddExample({Guo, Ni}, "<guo2 ni3> test");
    App.DisplayOptions = ExamplesSimplified;
    ShowExamples();
    EXPECT_EQ(Pixel(328 + 23, 28), Black) << "simplified form of the first character";
    EXPECT_EQ(Pixel(328, 28 + 23), White);
    EXPECT_EQ(Pixel(357, 28), Black) << "a character alike in both forms";

    App.DisplayOptions = CharsSimplified;  // the glyph box's setting does not reach this panel
    ShowExamples();
    EXPECT_EQ(Pixel(328, 28 + 23), Black);
    EXPECT_EQ(Pixel(328 + 23, 28), White);
}

TEST_F(ExamplesTest, TextsWithoutAReadingShowWhole)
{
    AddExample({Ni}, "plain words");
    AddExample({Ni}, "<unclosed reading");
    AddExample({Ni}, "<ni3>");  // nothing after the reading
    ShowExamples();
    SavePicture("examples_odd");
    const int left = 328 + 24 + 6;
    const TextRect plain = Measured("plain words", left, 23, 400);
    const TextRect boldPlain = Measured("plain words", left, 23, 700);
    EXPECT_NE(plain.right, boldPlain.right);
    EXPECT_GT(Count(plain.right - 5, 23, plain.right, plain.bottom, Black), 0) << "drawn as translation";
    EXPECT_EQ(Count(plain.right + 1, 23, 580, 66, Black), 0);
    const TextRect unclosed = Measured("<unclosed reading", left, 67, 400);
    EXPECT_GT(Count(left, 67, left + 4, unclosed.bottom, Black), 0) << "the sign itself shows";
    const TextRect reading = Measured("ni3", left, 111, 700);
    EXPECT_GT(Count(left, 111, reading.right, reading.bottom, Black), 0);
    EXPECT_EQ(Count(reading.right + 1, 111, 580, 160, Black), 0);
}

TEST_F(ExamplesTest, NothingWithoutAWindow)
{
    AddExample({Ni, Hao}, "<ni3 hao3> hello");
    DrawingWidget = nullptr;
    ShowExamples();
    EXPECT_EQ(CountOther(0, 0, 600, 380, White), 0);
}

// The whole training screen after an answer: the panels sit side by side without overwriting
// each other. With TEST_PICTURES set the screen is saved for a look.
TEST_F(ExamplesTest, AnsweredScreenKeepsEveryPartInItsPlace)
{
    App.CurrentChar = Guo;
    App.DisplayOptions = CharsSimplified;
    App.ReadingList.Append({WideString("guo2"), WideString("country; nation")});
    App.ReadingCount = 1;
    App.TypedPinyin[0] = "guo2";
    App.RowCorrect[0] = 1;
    App.ActiveRow = 1;
    AddExample({Guo, Ni}, "<guo2 ni3> a made-up word whose translation runs over several lines of text");
    AddExample({Hao}, "<hao3> good; well; fine");
    BackingImage().fill(QColor(0, 0, 255));
    ShowChar();
    ShowEntry(-1, 1);
    ShowEntry(0, 1);
    const QImage left = BackingImage().copy(0, 0, 325, 380);
    ShowExamples();
    SavePicture("screen_answered");
    EXPECT_EQ(BackingImage().copy(0, 0, 325, 380), left);
    EXPECT_EQ(CountOther(580, 0, 600, 380, 0x0000FF), 0);
    EXPECT_EQ(CountOther(0, 370, 600, 380, 0x0000FF), 0);
    EXPECT_EQ(Pixel(116, 20 + 23), Black) << "traditional form on the right";
    EXPECT_GT(Count(180, 47, 239, 65, Green), 0);
}
