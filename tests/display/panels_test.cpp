// The level bar, scale, up/down indicator and exam chart, checked pixel by pixel.
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

const QRgb White = qRgb(255, 255, 255), Blue = qRgb(0, 0, 255), Red = qRgb(255, 0, 0);
const QRgb BarGrey = qRgb(128, 128, 128), LightGrey = qRgb(212, 208, 200), ChartBlue = qRgb(0, 50, 130);

std::vector<Rect> Invalidated;
void RecordInvalidation(int left, int top, int right, int bottom) { Invalidated.push_back({left, top, right, bottom}); }

QRgb Pixel(int x, int y) { return BackingImage().pixel(x, y); }

// First and last column holding text (dark) pixels in the rectangle; -1 when none.
std::pair<int, int> TextColumns(int left, int top, int right, int bottom)
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

bool AllWhite(int left, int top, int right, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (Pixel(x, y) != White) return false;
    return true;
}

// Keeps the picture for a look by eye when LUMORA_SNAPSHOT_DIR names a folder.
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
        Invalidated.clear();
        InvalidateUpDown = RecordInvalidation;
        App.TrainingMode = true;
        SetLocalNow(2026, 12, 7, 10, 30, 15);
        today = GetTime();
    }
    void TearDown() override
    {
        DrawingWidget = nullptr;
        InvalidateUpDown = InvalidateArea;
    }
    void SetEntry(int k, int known, int daysAgo) { App.ExamHistory[k] = {std::uint16_t(known), 40, std::uint16_t(today - daysAgo), 50}; }

    TestFolder folder;
    QWidget widget;
    int today = 0;
};

TEST_F(PanelsTest, LevelBarAndScale)
{
    App.KnownCount = 2000;
    ShowLevelBar();
    ShowScales();
    Snapshot("level_bar");
    EXPECT_EQ(Pixel(10, 151), Blue);
    EXPECT_EQ(Pixel(59, 156), Blue);
    EXPECT_EQ(Pixel(60, 151), BarGrey);
    EXPECT_EQ(Pixel(209, 156), BarGrey);
    EXPECT_EQ(Pixel(210, 151), White);  // right and bottom edges excluded
    EXPECT_EQ(Pixel(100, 157), White);
    EXPECT_EQ(Pixel(237, 151), LightGrey);
    auto [first, last] = TextColumns(213, 151, 238, 159);
    EXPECT_LE(first, 215);
    EXPECT_GT(last - first, 12) << "four digits, from the box's left edge";
    // Scale numbers start at 8, 53, 102, 153, 203; training's 2000 .. 8000 are wider than the
    // Beginner exam's 250 .. 750.
    const int starts[6] = {8, 53, 102, 153, 203, 239};
    auto widths = [&] {
        std::vector<int> result;
        for (int i = 0; i < 5; ++i) {
            auto [from, to] = TextColumns(starts[i] - 2, 162, starts[i + 1] - 2, 169);
            EXPECT_NEAR(from, starts[i] + 1, 1) << i;
            result.push_back(to - from);
        }
        return result;
    };
    const std::vector<int> training = widths();
    EXPECT_EQ(Pixel(2, 162), LightGrey);

    // A full Beginner exam: all red, no grey.
    App.TrainingMode = false;
    App.ExamRange = 1000;
    App.KnownCount = 1000;
    ShowLevelBar();
    ShowScales();
    for (int x = 10; x < 210; ++x) ASSERT_EQ(Pixel(x, 153), Red) << x;
    const std::vector<int> beginner = widths();
    for (int i = 1; i < 4; ++i) EXPECT_LT(beginner[i], training[i]) << i;

    // Nothing known: all grey. Beyond the range: stops at 210 rather than covering the number box.
    App.KnownCount = 0;
    ShowLevelBar();
    EXPECT_EQ(Pixel(10, 151), BarGrey);
    App.TrainingMode = true;
    App.KnownCount = 9000;
    ShowLevelBar();
    EXPECT_EQ(Pixel(209, 151), Blue);
    EXPECT_EQ(Pixel(211, 151), White);
}

TEST_F(PanelsTest, UpDownIndicator)
{
    const QImage up(":/bitmap150.png");
    ASSERT_EQ(up.size(), QSize(16, 12));
    ShowUpDown(1, 0);
    EXPECT_EQ(UpDownShown, 1);
    EXPECT_EQ(UpDownArea.right, 256);
    EXPECT_EQ(UpDownArea.bottom, 162);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(Pixel(240 + x, 150 + y), up.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(Pixel(256, 150), White);
    ShowUpDown(-1, 0);
    EXPECT_EQ(UpDownArea.right, 264);
    EXPECT_EQ(UpDownArea.bottom, 161);

    // Removed with one invalidation of the last area; the second removal finds nothing to do.
    ShowUpDown(0, 1);
    ShowUpDown(0, 1);
    ASSERT_EQ(Invalidated.size(), 1u);
    EXPECT_EQ(Invalidated[0].right, 264);

    // Without a window every panel does nothing.
    DrawingWidget = nullptr;
    BackingImage().fill(Qt::white);
    ShowLevelBar();
    ShowUpDown(1, 0);
    EXPECT_EQ(UpDownShown, 0);
    EXPECT_TRUE(AllWhite(0, 0, DrawingWidth, DrawingHeight));
}

TEST_F(PanelsTest, ChartOfTheLastEightExams)
{
    for (int k = 0; k < 8; ++k) SetEntry(k, 800 - 100 * k, k);
    SetEntry(8, 8000, 9);  // beyond the eighth: neither drawn nor setting the scale
    ShowProgress();
    Snapshot("progress");
    const int heights[8] = {107, 93, 80, 66, 53, 40, 26, 13};
    for (int k = 0; k < 8; ++k) {
        const int right = 258 - 30 * k, left = right - 15, top = 350 - heights[k];
        SCOPED_TRACE(k);
        EXPECT_EQ(Pixel(left, 349), ChartBlue);
        EXPECT_EQ(Pixel(right - 1, top), ChartBlue);
        EXPECT_NE(Pixel(right - 1, top - 1), ChartBlue);
        EXPECT_NE(Pixel(left - 1, 349), ChartBlue);
        EXPECT_NE(Pixel(right, 349), ChartBlue);
        // Estimate over margin, one line each.
        EXPECT_NE(TextColumns(left - 5, top - 24, right + 5, top - 12).first, -1);
        EXPECT_NE(TextColumns(left - 5, top - 12, right + 5, top).first, -1);
    }
    EXPECT_EQ(Pixel(10, 350), Blue);
    EXPECT_EQ(Pixel(264, 350), Blue);
    EXPECT_EQ(Pixel(265, 350), White);

    // Ages: "today", 3, 12; a date after today (clock set back) shows none; empty slots nothing.
    BackingImage().fill(Qt::white);
    for (int k = 0; k < 8; ++k) App.ExamHistory[k] = {};
    SetEntry(0, 900, 0);
    SetEntry(1, 700, 3);
    SetEntry(2, 600, 12);
    SetEntry(3, 500, -2);
    App.ExamHistory[4] = {800, 30, 0, 50};  // no date: empty, whatever else it holds
    ShowProgress();
    Snapshot("ages");
    auto age = [](int k) { return TextColumns(243 - 30 * k - 7, 351, 258 - 30 * k + 7, 370); };
    EXPECT_GT(age(0).second - age(0).first, 15) << "today";
    EXPECT_NEAR((age(0).first + age(0).second) / 2.0, 250, 2);
    EXPECT_LT(age(1).second - age(1).first, 7) << "one digit";
    EXPECT_GT(age(2).second - age(2).first, age(1).second - age(1).first) << "two digits";
    EXPECT_EQ(age(3).first, -1);
    EXPECT_EQ(Pixel(153, 349), ChartBlue) << "its bar still stands";
    EXPECT_EQ(Pixel(243, 350 - 107), ChartBlue) << "the dateless 800 must not set the scale";
    EXPECT_TRUE(AllWhite(10, 193, 140, 370 - 21));
    EXPECT_TRUE(AllWhite(10, 351, 110, 370));

    // No exam ever taken: only the baseline.
    BackingImage().fill(Qt::white);
    for (int k = 0; k < 8; ++k) App.ExamHistory[k] = {};
    ShowProgress();
    EXPECT_TRUE(AllWhite(10, 193, 265, 350));
    EXPECT_TRUE(AllWhite(10, 351, 265, 370));
    for (int x = 10; x < 265; ++x) ASSERT_EQ(Pixel(x, 350), Blue) << x;
}

}  // namespace
