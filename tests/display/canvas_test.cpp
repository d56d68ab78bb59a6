// The fonts, text layout and caret that every panel's exact pixels depend on; and that without a
// window no operation draws.
#include "data/log.h"
#include "data/program_state.h"
#include "display/panels.h"
#include "engine/drawing.h"
#include "tests/display/display_fixture.h"

using CanvasTest = DisplayTest;

TEST_F(CanvasTest, ABoldThatShowsAndNoSmoothing)
{
    TextRect normal = {0, 0, 300, 20}, bold = {0, 20, 300, 40};
    {
        QPainter painter(&BackingImage());
        DrawText(painter, "guo2 ni3 hao3", normal, DT_SINGLELINE, PointFont(8, 400), Qt::black);
        DrawText(painter, "guo2 ni3 hao3", bold, DT_SINGLELINE, PointFont(8, 700), Qt::black);
    }
    // Readings are told from translations by their weight alone.
    EXPECT_GT(Count(0, 20, 300, 40, Black), Count(0, 0, 300, 20, Black) * 11 / 10);
    EXPECT_EQ(Count(0, 0, 300, 40, Black) + Count(0, 0, 300, 40, White), 300 * 40) << "no smoothing";
}

TEST_F(CanvasTest, WordBreakAndMeasure)
{
    const QByteArray text = "one two three four five six seven eight nine ten";
    const int line = Measured("x", 0, 0, DT_SINGLELINE, 400).bottom;
    EXPECT_EQ(Measured(text, 10, 10, DT_SINGLELINE, 400, 90).bottom - 10, line);
    const TextRect wrapped = Measured(text, 10, 10, DT_WORDBREAK, 400, 90);
    EXPECT_GT(wrapped.bottom - 10, 2 * line);
    EXPECT_LE(wrapped.right, 90) << "every line fits";
    EXPECT_EQ(Measured("abcdefghijklmnop qr", 10, 10, DT_WORDBREAK, 400, 20).bottom - 10, 2 * line)
        << "a word wider than the rectangle stays whole";
    EXPECT_EQ(Measured("", 10, 10, DT_WORDBREAK, 400).bottom, 10);
}

TEST_F(CanvasTest, OneCaretShownInvertedOverTheImage)
{
    CreateCaret(1, 12);
    SetCaretPos(182, 49);
    EXPECT_FALSE(CaretVisible()) << "a new caret starts hidden";
    ShowCaret();
    ASSERT_EQ(CaretRect(), QRect(182, 49, 1, 12));

    QImage screen(DrawingWidth, DrawingHeight, QImage::Format_RGB32);
    QPainter painter(&screen);
    PaintDrawingArea(painter, screen.rect());
    PaintCaret(painter, screen.rect());
    EXPECT_EQ(screen.pixel(182, 60) & 0xFFFFFF, Black);
    EXPECT_EQ(screen.pixel(182, 61) & 0xFFFFFF, White);
    EXPECT_EQ(Pixel(182, 49), White) << "the caret never enters the backing image";
    PaintDrawingArea(painter, screen.rect());
    EXPECT_EQ(screen.pixel(182, 49) & 0xFFFFFF, White) << "the blink's off phase";

    CreateCaret(1, 5);
    EXPECT_FALSE(CaretVisible()) << "creating replaces the shown caret";
}

// The engine's tests run the drawing operations with no window: each must then do nothing at all.
TEST_F(CanvasTest, EveryOperationTracesItsNameAndNeedsAWindow)
{
    void (*const operations[])() = {
        ShowChar,
        [] { ShowEntry(0, 1); },
        UpdateStatusBar,
        ShowExamples,
        ShowLevelBar,
        ShowScales,
        [] { ShowUpDown(1, 0); },
        ShowProgress,
    };
    const std::vector<std::string> traces = {"ShowChar",     "ShowEntry",  "UpdateStatusBar", "ShowExamples",
                                             "ShowLevelBar", "ShowScales", "ShowUpDown",      "ShowProgress",
                                             "GetTime"};  // the chart asks the clock for today
    LogEnabled = 1;
    for (auto operation : operations) operation();
    EXPECT_EQ(LogLines(), traces);

    DrawingWidget = nullptr;
    BackingImage().fill(Qt::white);
    labels[0].clear();
    UpDownShown = 0;
    for (auto operation : operations) operation();
    EXPECT_EQ(LogLines(), traces);
    EXPECT_EQ(Count(0, 0, 600, 380, White), 600 * 380);
    EXPECT_EQ(labels[0].text(), "");
    EXPECT_EQ(UpDownShown, 0);
}
