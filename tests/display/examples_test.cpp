// The example-word panel: empty until the answer, then framed glyphs, reading and translation.
#include <algorithm>

#include "engine/drawing.h"
#include "tests/display/display_fixture.h"

class ExamplesTest : public DatabaseTest {
protected:
    void AddExample(std::vector<std::uint16_t> word, const char* text)
    {
        word.push_back(0);
        App.ExampleList.Append({WideString(word.data()), WideString(text)});
    }
};

TEST_F(ExamplesTest, TwoCharacterWordOnlyAfterTheAnswerAndAtItsPlaces)
{
    AddExample({Ni, Hao}, "<ni3 hao3> hello");
    App.Answered = false;
    ShowExamples();
    EXPECT_EQ(Count(325, 25, 580, 370, Yellow), 255 * 345);
    EXPECT_EQ(Count(0, 0, 600, 380, White), 600 * 380 - 255 * 345) << "plain yellow before the answer";

    App.Answered = true;
    ShowExamples();
    // Frames on a 29-pixel pitch sharing a column, the glyphs inside them.
    for (int x : {325, 354, 383}) EXPECT_EQ(Pixel(x, 35), Grey) << x;
    EXPECT_EQ(Pixel(328, 28), Black);
    EXPECT_EQ(Pixel(357 + 23, 28 + 23), Black);
    EXPECT_EQ(Count(328, 28, 381, 52, Black), 2);
    // The bold reading from (387, 23), the translation from the reading's bottom less one.
    const TextRect reading = Measured("ni3 hao3", 387, 23, DT_WORDBREAK, 700);
    const TextRect translation = Measured("hello", 387, reading.bottom - 1, DT_WORDBREAK, 400);
    EXPECT_GT(Count(387, 23, reading.right, reading.bottom - 1, Black), 0);
    EXPECT_GT(Count(387, reading.bottom, translation.right, translation.bottom, Black), 0);
    EXPECT_EQ(Count(std::max(reading.right, translation.right) + 1, 23, 580, 370, Black), 0);
    EXPECT_EQ(Count(325, 72, 580, 370, Black), 0) << "one example only";
}

TEST_F(ExamplesTest, EightExamplesAtMostSimplifiedByTheirOwnBitAndKeptInThePanel)
{
    App.Answered = true;
    for (int n = 0; n < 10; ++n)
        AddExample({n % 2 == 0 ? Ni : Guo}, "<ni3> a translation long enough to run over every line its word has");
    App.DisplayOptions = ExamplesSimplified;
    BackingImage().fill(Qt::blue);
    ShowExamples();
    for (int d = 3; d < 355; d += 44) {
        EXPECT_EQ(Pixel(325, 35 + d), Grey) << d;
        EXPECT_EQ(d % 88 == 3 ? Pixel(328, 25 + d) : Pixel(351, 25 + d), Black) << "in list order, simplified " << d;
    }
    EXPECT_EQ(Count(0, 25, 600, 380, Blue), 600 * 355 - 255 * 345) << "nothing beside or below the panel, no ninth";
    App.DisplayOptions = CharsSimplified;  // the glyph box's bit does not reach this panel
    ShowExamples();
    EXPECT_EQ(Pixel(328, 47 + 25 + 23), Black);
}

TEST_F(ExamplesTest, TextsWithoutAReadingShowWhole)
{
    App.Answered = true;
    AddExample({Ni}, "plain words");
    AddExample({Ni}, "<unclosed reading");
    AddExample({Ni}, "<ni3>");  // nothing after the reading
    ShowExamples();
    const int left = 328 + 24 + 6;
    const TextRect plain = Measured("plain words", left, 23, DT_WORDBREAK, 400);
    ASSERT_NE(plain.right, Measured("plain words", left, 23, DT_WORDBREAK, 700).right);
    EXPECT_GT(Count(plain.right - 5, 23, plain.right, plain.bottom, Black), 0) << "in the normal font";
    EXPECT_EQ(Count(plain.right + 1, 23, 580, 66, Black), 0);
    EXPECT_GT(Count(left, 67, left + 4, 80, Black), 0) << "the sign itself shows";
    const TextRect reading = Measured("ni3", left, 111, DT_WORDBREAK, 700);
    EXPECT_GT(Count(left, 111, reading.right, reading.bottom, Black), 0);
    EXPECT_EQ(Count(reading.right + 1, 111, 580, 160, Black), 0);
}
