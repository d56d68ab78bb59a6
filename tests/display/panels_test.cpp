// The level bar, the scale, the up/down indicator and the exam chart, checked pixel by pixel in
// the backing image.
#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include "data/program_state.h"
#include "display/canvas.h"
#include "display/display.h"
#include "display/panels.h"
#include "engine/clock.h"
#include "shell/platform.h"
#include "tests/support/test_support.h"

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Red = qRgb(255, 0, 0);
const QRgb BarGrey = qRgb(128, 128, 128);
const QRgb LightGrey = qRgb(212, 208, 200);
const QRgb ChartBlue = qRgb(0, 50, 130);

std::vector<Rect> Invalidated;
void RecordInvalidation(int left, int top, int right, int bottom)
{
    Invalidated.push_back({left, top, right, bottom});
}

QRgb Pixel(int x, int y)
{
    return BackingImage().pixel(x, y);
}

bool Dark(int x, int y)
{
    const QRgb p = BackingImage().pixel(x, y);
    return qRed(p) < 100 && qGreen(p) < 100 && qBlue(p) < 100;
}

// Leftmost and rightmost column of dark (text) pixels inside the rectangle; -1 when none.
std::pair<int, int> DarkColumns(int left, int top, int right, int bottom)
{
    int first = -1, last = -1;
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y)
            if (Dark(x, y)) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

bool AllWhite(int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (Pixel(x, y) != White) return false;
    return true;
}

// Saves the backing image when LUMORA_SNAPSHOT_DIR names a folder, for looking at by eye.
void Snapshot(const char* name)
{
    if (const char* folder = std::getenv("LUMORA_SNAPSHOT_DIR"))
        BackingImage().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}

class PanelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DrawingWidget = &widget;
        BackingImage().fill(Qt::white);
        UpDownShown = 0;
        UpDownArea = {0, 0, 0, 0};
        Invalidated.clear();
        InvalidateUpDown = RecordInvalidation;
        App.TrainingMode = true;
    }
    void TearDown() override
    {
        DrawingWidget = nullptr;
        InvalidateUpDown = InvalidateArea;
    }

    TestFolder folder;
    QWidget widget;
};

TEST_F(PanelsTest, LevelBarInTrainingScalesToEightThousand)
{
    App.KnownCount = 2000;
    ShowLevelBar();
    EXPECT_EQ(Pixel(10, 151), Blue);
    EXPECT_EQ(Pixel(59, 156), Blue);
    EXPECT_EQ(Pixel(60, 151), BarGrey);
    EXPECT_EQ(Pixel(209, 156), BarGrey);
    // Right and bottom edges stay outside, as do the gap and everything around the box.
    EXPECT_EQ(Pixel(9, 151), White);
    EXPECT_EQ(Pixel(210, 151), White);
    EXPECT_EQ(Pixel(100, 157), White);
    EXPECT_EQ(Pixel(212, 155), White);
    EXPECT_EQ(Pixel(238, 155), White);
    EXPECT_EQ(Pixel(213, 159), White);
    // The number sits in the light grey box, starting at its left edge.
    EXPECT_EQ(Pixel(237, 151), LightGrey);
    auto [first, last] = DarkColumns(213, 151, 238, 159);
    EXPECT_GE(first, 213);
    EXPECT_LE(first, 215);
    EXPECT_GT(last - first, 12) << "four digits";
}

TEST_F(PanelsTest, LevelBarEmptyFullAndBeyondItsRange)
{
    App.KnownCount = 0;
    ShowLevelBar();
    EXPECT_EQ(Pixel(10, 151), BarGrey);
    EXPECT_EQ(Pixel(209, 156), BarGrey);

    // A full exam bar is all red, with no grey left.
    App.TrainingMode = false;
    App.ExamRange = 1000;
    App.KnownCount = 1000;
    ShowLevelBar();
    for (int x = 10; x < 210; ++x) ASSERT_EQ(Pixel(x, 153), Red) << x;

    // A count past the range stops at the bar's end instead of running over the number box.
    App.TrainingMode = true;
    App.KnownCount = 9000;
    ShowLevelBar();
    EXPECT_EQ(Pixel(209, 151), Blue);
    EXPECT_EQ(Pixel(210, 151), White);
    EXPECT_EQ(Pixel(212, 151), White);

    // An exam whose range was never set draws on the training scale rather than dividing by zero.
    App.TrainingMode = false;
    App.ExamRange = 0;
    App.KnownCount = 4000;
    ShowLevelBar();
    EXPECT_EQ(Pixel(109, 151), Red);
    EXPECT_EQ(Pixel(110, 151), BarGrey);
}

TEST_F(PanelsTest, ScaleNumbersFollowTheRange)
{
    const int starts[5] = {8, 53, 102, 153, 203};
    auto widths = [&] {
        std::vector<int> result;
        for (int i = 0; i < 5; ++i) {
            const int end = i < 4 ? starts[i + 1] - 2 : 239;
            auto [first, last] = DarkColumns(starts[i] - 2, 162, end, 169);
            EXPECT_GE(first, starts[i]) << "number " << i;
            EXPECT_LE(first, starts[i] + 2) << "number " << i;
            result.push_back(last - first + 1);
        }
        return result;
    };

    ShowScales();
    EXPECT_EQ(Pixel(2, 162), LightGrey);
    EXPECT_EQ(Pixel(238, 168), LightGrey);
    EXPECT_EQ(Pixel(1, 165), White);
    EXPECT_EQ(Pixel(239, 165), White);
    EXPECT_EQ(Pixel(100, 169), White);
    const std::vector<int> training = widths();  // 0, 2000, 4000, 6000, 8000
    Snapshot("scale_training");

    App.TrainingMode = false;
    App.ExamRange = 1000;
    ShowScales();
    const std::vector<int> beginner = widths();  // 0, 250, 500, 750, 1000
    EXPECT_EQ(beginner[0], training[0]);
    for (int i = 1; i < 4; ++i) EXPECT_LT(beginner[i], training[i]) << "three digits instead of four at " << i;
    EXPECT_GT(beginner[4], beginner[3]) << "1000 is wider than 750";
}

TEST_F(PanelsTest, UpAndDownPicturesAndTheirRemoval)
{
    const QImage up(":/bitmap150.png");
    const QImage down(":/bitmap151.png");
    ASSERT_EQ(up.size(), QSize(16, 12));
    ASSERT_EQ(down.size(), QSize(24, 11));

    ShowUpDown(1, 0);
    EXPECT_EQ(UpDownShown, 1);
    EXPECT_EQ(UpDownArea.left, 240);
    EXPECT_EQ(UpDownArea.top, 150);
    EXPECT_EQ(UpDownArea.right, 256);
    EXPECT_EQ(UpDownArea.bottom, 162);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(Pixel(240 + x, 150 + y), up.pixel(x, y) | 0xFF000000) << x << "," << y;
    EXPECT_EQ(Pixel(256, 150), White);
    EXPECT_EQ(Pixel(240, 162), White);

    ShowUpDown(-1, 0);
    EXPECT_EQ(UpDownArea.right, 264);
    EXPECT_EQ(UpDownArea.bottom, 161);
    EXPECT_EQ(Pixel(263, 160), down.pixel(23, 10) | 0xFF000000);

    // No change counts as up.
    ShowUpDown(0, 0);
    EXPECT_EQ(UpDownArea.right, 256);

    // Removal invalidates the area once; a second removal has nothing left to do.
    ShowUpDown(0, 1);
    ShowUpDown(0, 1);
    ASSERT_EQ(Invalidated.size(), 1u);
    EXPECT_EQ(Invalidated[0].left, 240);
    EXPECT_EQ(Invalidated[0].top, 150);
    EXPECT_EQ(Invalidated[0].right, 256);
    EXPECT_EQ(Invalidated[0].bottom, 162);
    EXPECT_EQ(UpDownShown, 0);
}

TEST_F(PanelsTest, NothingHappensWithoutAWindow)
{
    DrawingWidget = nullptr;
    App.KnownCount = 4000;
    App.ExamHistory[0] = {500, 20, 1, 50};
    ShowLevelBar();
    ShowScales();
    ShowProgress();
    ShowUpDown(1, 0);
    EXPECT_EQ(UpDownShown, 0);
    UpDownShown = 1;
    ShowUpDown(0, 1);
    EXPECT_EQ(UpDownShown, 1);
    EXPECT_TRUE(Invalidated.empty());
    EXPECT_TRUE(AllWhite(0, 0, DrawingWidth, DrawingHeight));
}

class ProgressTest : public PanelsTest {
protected:
    void SetUp() override
    {
        PanelsTest::SetUp();
        SetLocalNow(2026, 12, 7, 10, 30, 15);
        today = GetTime();
    }
    int today = 0;
};

TEST_F(ProgressTest, BarsStandByAgeAndScaleToTheHighest)
{
    for (int k = 0; k < 8; ++k)
        App.ExamHistory[k] = {static_cast<std::uint16_t>(800 - 100 * k), 40, static_cast<std::uint16_t>(today - k), 50};
    // Beyond the eighth entry nothing is drawn, however large.
    App.ExamHistory[8] = {8000, 10, static_cast<std::uint16_t>(today - 9), 50};
    ShowProgress();
    Snapshot("progress");

    const int heights[8] = {107, 93, 80, 66, 53, 40, 26, 13};
    for (int k = 0; k < 8; ++k) {
        const int right = 258 - 30 * k;
        const int left = right - 15;
        const int top = 350 - heights[k];
        EXPECT_EQ(Pixel(left, 349), ChartBlue) << "entry " << k;
        EXPECT_EQ(Pixel(right - 1, top), ChartBlue) << "entry " << k;
        EXPECT_NE(Pixel(right - 1, top - 1), ChartBlue) << "entry " << k;
        EXPECT_NE(Pixel(left - 1, 349), ChartBlue) << "entry " << k;
        EXPECT_NE(Pixel(right, 349), ChartBlue) << "entry " << k;
        // Two lines of label above the bar: the estimate, then the margin in brackets.
        EXPECT_NE(DarkColumns(left - 5, top - 24, right + 5, top - 12).first, -1) << "entry " << k;
        EXPECT_NE(DarkColumns(left - 5, top - 12, right + 5, top).first, -1) << "entry " << k;
    }
    // The baseline runs from x 10 up to, not including, 265.
    EXPECT_EQ(Pixel(10, 350), Blue);
    EXPECT_EQ(Pixel(264, 350), Blue);
    EXPECT_EQ(Pixel(265, 350), White);
    EXPECT_EQ(Pixel(9, 350), White);
    EXPECT_TRUE(AllWhite(266, 193, 300, 370));
}

TEST_F(ProgressTest, AgesUnderTheBars)
{
    App.ExamHistory[0] = {900, 84, static_cast<std::uint16_t>(today), 50};
    App.ExamHistory[1] = {700, 80, static_cast<std::uint16_t>(today - 3), 50};
    App.ExamHistory[2] = {600, 80, static_cast<std::uint16_t>(today - 12), 50};
    App.ExamHistory[3] = {500, 80, static_cast<std::uint16_t>(today + 2), 50};  // clock set back since
    ShowProgress();
    Snapshot("ages");

    auto under = [](int k) {
        const int right = 258 - 30 * k;
        return DarkColumns(right - 15 - 7, 351, right + 7, 370);
    };
    auto [todayFirst, todayLast] = under(0);
    auto [threeFirst, threeLast] = under(1);
    auto [twelveFirst, twelveLast] = under(2);
    ASSERT_NE(todayFirst, -1);
    ASSERT_NE(threeFirst, -1);
    ASSERT_NE(twelveFirst, -1);
    EXPECT_GT(todayLast - todayFirst, 15) << "\"today\" is five letters wide";
    EXPECT_LT(threeLast - threeFirst, 7) << "a single digit";
    EXPECT_GT(twelveLast - twelveFirst, threeLast - threeFirst) << "two digits";
    // Centred under its bar (243..258, middle 250).
    EXPECT_NEAR((todayFirst + todayLast) / 2.0, 250, 2);
    // A date after today has no age to show; its bar and label still stand.
    EXPECT_EQ(under(3).first, -1);
    EXPECT_EQ(Pixel(258 - 90 - 15, 349), ChartBlue);
    // The rest of the age strip is left as it was.
    EXPECT_TRUE(AllWhite(10, 351, 130, 370));
}

TEST_F(ProgressTest, EmptyHistoryDrawsOnlyTheBaseline)
{
    ShowProgress();
    EXPECT_TRUE(AllWhite(10, 193, 265, 350));
    EXPECT_TRUE(AllWhite(10, 351, 265, 370));
    for (int x = 10; x < 265; ++x) ASSERT_EQ(Pixel(x, 350), Blue) << x;

    // A slot with no date is empty whatever its other fields hold: no bar, no text, and it does
    // not set the height of the others.
    App.ExamHistory[0] = {400, 30, static_cast<std::uint16_t>(today), 50};
    App.ExamHistory[1] = {800, 30, 0, 50};
    BackingImage().fill(Qt::white);
    ShowProgress();
    EXPECT_EQ(Pixel(243, 350 - 107), ChartBlue);
    EXPECT_TRUE(AllWhite(213 - 7, 193, 228 + 5, 350));

    // An exam whose estimate was 0 has its age but no bar and no label.
    App.ExamHistory[0] = {0, 0, static_cast<std::uint16_t>(today), 50};
    App.ExamHistory[1] = {0, 0, 0, 0};
    BackingImage().fill(Qt::white);
    ShowProgress();
    EXPECT_TRUE(AllWhite(10, 193, 265, 350));
    EXPECT_NE(DarkColumns(236, 351, 265, 370).first, -1);
}

}  // namespace
