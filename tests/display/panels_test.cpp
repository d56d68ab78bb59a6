// The level bar, scale, up/down indicator and exam chart, checked pixel by pixel.
#include "data/clock.h"
#include "data/program_state.h"
#include "display/panels.h"
#include "engine/drawing.h"
#include "tests/display/display_fixture.h"

namespace {

constexpr QRgb BarGrey = 0x808080, LightGrey = 0xD4D0C8, ChartBlue = 0x003282;

std::vector<Rect> Invalidated;
void RecordInvalidation(int left, int top, int right, int bottom) { Invalidated.push_back({left, top, right, bottom}); }

class PanelsTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        UpDownShown = 0;
        Invalidated.clear();
        InvalidateUpDown = RecordInvalidation;
        App.TrainingMode = true;
        SetLocalNow(2026, 12, 7, 10, 30, 15);
    }
    void TearDown() override
    {
        InvalidateUpDown = InvalidateArea;
        DisplayTest::TearDown();
    }
    // First and last column holding text (dark) pixels in the rectangle; -1 when none.
    static std::pair<int, int> TextColumns(int left, int top, int right, int bottom)
    {
        int first = -1, last = -1;
        for (int x = left; x < right; ++x)
            for (int y = top; y < bottom; ++y)
                if (qGray(Pixel(x, y)) < 80) {
                    if (first < 0) first = x;
                    last = x;
                }
        return {first, last};
    }
    static void SetEntry(int k, int known, int daysAgo)
    {
        App.ExamHistory[k] = {std::uint16_t(known), 40, std::uint16_t(GetTime() - daysAgo), 50};
    }
};

TEST_F(PanelsTest, LevelBarAndScale)
{
    // The mode's colour for the known share of the 200 pixels from 10, grey after, right and bottom
    // edges excluded; a count beyond the range stops at 210 rather than covering the number box.
    struct Case { bool training; int known, end; QRgb colour; };
    const Case cases[] = {
        {true, 2000, 60, Blue}, {false, 1000, 210, Red}, {false, 0, 10, Red}, {true, 9000, 210, Blue}};
    App.ExamRange = 1000;
    for (const Case& c : cases) {
        App.TrainingMode = c.training;
        App.KnownCount = c.known;
        BackingImage().fill(Qt::white);
        ShowLevelBar();
        EXPECT_EQ(Count(10, 151, c.end, 157, c.colour), (c.end - 10) * 6) << c.known;
        EXPECT_EQ(Count(c.end, 151, 210, 157, BarGrey), (210 - c.end) * 6) << c.known;
        EXPECT_EQ(Count(0, 0, 600, 380, c.colour) + Count(0, 0, 600, 380, BarGrey), 200 * 6) << c.known;
    }
    EXPECT_EQ(Pixel(237, 151), LightGrey);
    auto [first, last] = TextColumns(213, 151, 238, 159);
    EXPECT_LE(first, 215);
    EXPECT_GT(last - first, 12) << "four digits, from the number box's left edge";

    // Scale numbers start at 8, 53, 102, 153, 203 on grey; training's 0 .. 8000 take more ink
    // than the Beginner exam's 0 .. 1000.
    ShowScales();
    const int starts[6] = {8, 53, 102, 153, 203, 239};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(TextColumns(starts[i] - 2, 162, starts[i + 1] - 2, 169).first, starts[i] + 1, 1) << i;
    EXPECT_EQ(Pixel(2, 162), LightGrey);
    const int trainingInk = Count(2, 162, 239, 169, Black);
    App.TrainingMode = false;
    ShowScales();
    EXPECT_LT(Count(2, 162, 239, 169, Black), trainingInk);
}

TEST_F(PanelsTest, UpDownIndicatorShownAndRemovedOnce)
{
    const QImage up(":/bitmap150.png");
    ASSERT_EQ(up.size(), QSize(16, 12));
    ShowUpDown(1, 0);
    EXPECT_EQ(UpDownShown, 1);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(Pixel(240 + x, 150 + y), up.pixel(x, y) & 0xFFFFFF) << x << "," << y;
    EXPECT_EQ(Pixel(256, 150), White);

    // Removed with one invalidation of the last area, the down picture's; a second removal finds
    // nothing to do.
    ShowUpDown(-1, 0);
    ShowUpDown(0, 1);
    ShowUpDown(0, 1);
    ASSERT_EQ(Invalidated.size(), 1u);
    EXPECT_EQ(Corners(Invalidated[0]), (std::vector{240, 150, 264, 161}));
    EXPECT_EQ(UpDownShown, 0);
}

TEST_F(PanelsTest, ChartOfTheLastEightExams)
{
    // Ages: "today", 3, 12; a date after today (clock set back) shows none but keeps its bar.
    const int ages[8] = {0, 3, 12, -2, 4, 5, 6, 7};
    for (int k = 0; k < 8; ++k) SetEntry(k, 800 - 100 * k, ages[k]);
    SetEntry(8, 8000, 9);  // beyond the eighth: neither drawn nor setting the scale
    ShowProgress();
    // Bars 15 pixels wide on a 30-pixel pitch, the newest at the right, each with its estimate
    // over its margin above it, one line each.
    const int heights[8] = {107, 93, 80, 66, 53, 40, 26, 13};
    int barPixels = 0;
    for (int k = 0; k < 8; ++k) {
        const int right = 258 - 30 * k, top = 350 - heights[k];
        EXPECT_EQ(Count(right - 15, top, right, 350, ChartBlue), 15 * heights[k]) << k;
        EXPECT_NE(TextColumns(right - 20, top - 24, right + 5, top - 12).first, -1) << k;
        EXPECT_NE(TextColumns(right - 20, top - 12, right + 5, top).first, -1) << k;
        barPixels += 15 * heights[k];
    }
    EXPECT_EQ(Count(0, 0, 600, 380, ChartBlue), barPixels);
    auto age = [](int k) { return TextColumns(243 - 30 * k - 7, 351, 258 - 30 * k + 7, 370); };
    EXPECT_GT(age(0).second - age(0).first, 15) << "today";
    EXPECT_NEAR((age(0).first + age(0).second) / 2.0, 250, 2);
    EXPECT_LT(age(1).second - age(1).first, 7) << "one digit";
    EXPECT_GT(age(2).second - age(2).first, age(1).second - age(1).first) << "two digits";
    EXPECT_EQ(age(3).first, -1);

    // A slot without a date stays empty whatever else it holds, and does not set the scale.
    BackingImage().fill(Qt::white);
    for (int k = 0; k < 8; ++k) App.ExamHistory[k] = {};
    SetEntry(0, 400, 0);
    App.ExamHistory[4] = {800, 30, 0, 50};
    ShowProgress();
    EXPECT_EQ(Count(0, 0, 600, 380, ChartBlue), 15 * 107);

    // That slot alone, as with no exam ever taken: only the baseline, from 10 to 265 with its end
    // point left out.
    BackingImage().fill(Qt::white);
    App.ExamHistory[0] = {};
    ShowProgress();
    EXPECT_EQ(Count(10, 350, 265, 351, Blue), 255);
    EXPECT_EQ(Count(0, 0, 600, 380, White), 600 * 380 - 255);
}

}  // namespace
