// The drawing helpers keep the original platform's conventions, which every panel relies on for
// its exact pixels.
#include <QPainter>

#include "display/canvas.h"
#include "shell/platform.h"
#include "tests/display/display_fixture.h"

using CanvasTest = DisplayTest;

namespace {
int Measure(const QByteArray& text, TextRect& rect, unsigned flags, const QFont& font)
{
    QPainter painter(&BackingImage());
    return DrawText(painter, text, rect, flags | DT_CALCRECT, font, Qt::black);
}
}  // namespace

TEST_F(CanvasTest, RectanglesAndLinesLeaveOutTheirFarEdgeAndEndPoint)
{
    {
        QPainter painter(&BackingImage());
        PreparePainter(painter);
        FillRectangle(painter, 10, 10, 20, 15, Qt::black);
        FillRectangle(painter, 30, 30, 30, 40, Qt::black);  // empty: nothing
        FillRectangle(painter, 50, 50, 40, 60, Qt::black);  // inverted: nothing
        DrawLine(painter, 100, 100, 110, 100, Qt::red);
        DrawLine(painter, 100, 120, 100, 110, Qt::green);
        DrawLine(painter, 200, 200, 210, 210, Qt::blue);
        DrawLine(painter, 150, 150, 150, 150, Qt::red);  // zero length: nothing
    }
    EXPECT_EQ(Count(0, 0, 600, 380, Black), 50);
    EXPECT_EQ(Count(10, 10, 20, 15, Black), 50);
    EXPECT_EQ(Count(100, 100, 110, 101, Red), 10);
    EXPECT_EQ(Pixel(110, 100), White);
    EXPECT_EQ(Count(100, 111, 101, 121, Green), 10);
    EXPECT_EQ(Pixel(100, 110), White);
    EXPECT_EQ(Pixel(100, 120), Green);
    EXPECT_EQ(Count(0, 0, 600, 380, 0x0000FF), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Pixel(200 + i, 200 + i), 0x0000FFu) << i;
    EXPECT_EQ(Pixel(210, 210), White);
    EXPECT_EQ(Pixel(150, 150), White);
}

TEST_F(CanvasTest, FontsAreSizedInPointsAtNinetySixDotsPerInch)
{
    EXPECT_EQ(PointFont(8, 400).pixelSize(), 11);
    EXPECT_EQ(PointFont(7, 400).pixelSize(), 9);
    EXPECT_EQ(PointFont(12, 400).pixelSize(), 16);
    EXPECT_TRUE(PointFont(8, 700).bold());
    EXPECT_FALSE(PointFont(8, 0).bold());
    EXPECT_EQ(PointFont(8, 400).styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
}

TEST_F(CanvasTest, MeasuringMatchesWhatIsDrawn)
{
    const QFont font = PointFont(8, 700);
    TextRect measured = {20, 30, 300, 100};
    const int height = Measure("A: ma1", measured, DT_SINGLELINE, font);
    EXPECT_EQ(Count(0, 0, 600, 380, White), 600 * 380) << "measuring draws nothing";
    EXPECT_EQ(measured.left, 20);
    EXPECT_EQ(measured.top, 30);
    EXPECT_EQ(measured.bottom - measured.top, height);
    EXPECT_GE(height, 11);
    EXPECT_LE(height, 14);

    TextRect drawn = {20, 30, 300, 100};
    {
        QPainter painter(&BackingImage());
        DrawText(painter, "A: ma1", drawn, DT_SINGLELINE, font, Qt::black);
    }
    // Ink lies inside the measured box and reaches near its right edge.
    EXPECT_EQ(CountOther(0, 0, 600, 380, White), CountOther(20, 30, measured.right, measured.bottom, White));
    EXPECT_GT(CountOther(measured.right - 6, 30, measured.right, measured.bottom, White), 0);
}

TEST_F(CanvasTest, WordBreakWrapsAtBlanksAndClipsToTheRectangle)
{
    const QFont font = PointFont(8, 400);
    const QByteArray text = "one two three four five six seven eight nine ten";
    TextRect single = {0, 0, 1000, 100};
    Measure("x", single, DT_SINGLELINE, font);
    const int line = single.bottom;

    TextRect wrapped = {10, 10, 90, 300};
    const int height = Measure(text, wrapped, DT_WORDBREAK, font);
    EXPECT_GT(height, 2 * line);
    EXPECT_EQ(height % line, 0);
    EXPECT_LE(wrapped.right, 90) << "every line fits the width";

    // A single line ignores the width; a word too long for the width stays whole.
    TextRect oneLine = {10, 10, 90, 300};
    EXPECT_EQ(Measure(text, oneLine, DT_SINGLELINE, font),
              line);
    EXPECT_GT(oneLine.right, 90);
    TextRect longWord = {10, 10, 20, 300};
    Measure("abcdefghijk lm", longWord, DT_WORDBREAK, font);
    EXPECT_EQ(longWord.bottom - longWord.top, 2 * line);

    // Drawn into a band two lines high, with an opaque background: nothing outside the band.
    TextRect band = {10, 10, 90, 10 + 2 * line};
    {
        QPainter painter(&BackingImage());
        DrawText(painter, text, band, DT_WORDBREAK, font, Qt::black, PanelYellow);
    }
    EXPECT_EQ(CountOther(0, 0, 600, 380, White), CountOther(10, 10, 90, 10 + 2 * line, White));
    EXPECT_GT(Count(10, 10, 90, 10 + line, Yellow), 0);
    EXPECT_GT(Count(10, 10 + line, 90, 10 + 2 * line, Black), 0) << "the second line is drawn";
}

TEST_F(CanvasTest, SingleLinePlacement)
{
    const QFont font = PointFont(8, 700);
    TextRect measure = {0, 0, 600, 380};
    Measure("mmm", measure, DT_SINGLELINE, font);
    const int width = measure.right;
    const int height = measure.bottom;

    // Opaque cells show exactly where the line went.
    TextRect centred = {100, 100, 200, 140};
    {
        QPainter painter(&BackingImage());
        DrawText(painter, "mmm", centred, DT_SINGLELINE | DT_VCENTER | DT_CENTER, font, Qt::black, Qt::red);
    }
    const int left = 100 + (100 - width) / 2;
    const int top = 100 + (40 - height) / 2;
    EXPECT_EQ(Count(100, 100, 200, 140, Red) + Count(100, 100, 200, 140, Black), width * height);
    EXPECT_NE(Pixel(left, top), White);
    EXPECT_NE(Pixel(left + width - 1, top + height - 1), White);
    EXPECT_EQ(Pixel(left - 1, top), White);
    EXPECT_EQ(Pixel(left, top - 1), White);

    TextRect bottom = {300, 100, 400, 140};
    {
        QPainter painter(&BackingImage());
        DrawText(painter, "mmm", bottom, DT_SINGLELINE | DT_BOTTOM, font, Qt::black, Qt::red);
    }
    EXPECT_NE(Pixel(300, 139), White);
    EXPECT_EQ(Pixel(300, 139 - height), White);
    EXPECT_EQ(Pixel(300 + width, 139), White);
}

TEST_F(CanvasTest, EmptyTextDrawsAndMeasuresNothing)
{
    TextRect rect = {10, 10, 100, 100};
    QPainter painter(&BackingImage());
    EXPECT_EQ(DrawText(painter, "", rect, DT_WORDBREAK, PointFont(8, 400), Qt::black, Qt::red), 0);
    EXPECT_EQ(DrawText(painter, "", rect, DT_WORDBREAK | DT_CALCRECT, PointFont(8, 400), Qt::black), 0);
    painter.end();
    EXPECT_EQ(rect.right, 10);
    EXPECT_EQ(rect.bottom, 10);
    EXPECT_EQ(CountOther(0, 0, 600, 380, White), 0);
}

TEST_F(CanvasTest, OneCaretThatIsShownInvertedAndReplaced)
{
    EXPECT_FALSE(CaretVisible());
    CreateCaret(1, 12);
    SetCaretPos(182, 49);
    EXPECT_FALSE(CaretVisible()) << "a new caret starts hidden";
    ShowCaret();
    EXPECT_TRUE(CaretVisible());
    EXPECT_EQ(CaretRect(), QRect(182, 49, 1, 12));

    QImage screen(DrawingWidth, DrawingHeight, QImage::Format_RGB32);
    {
        QPainter painter(&screen);
        PaintDrawingArea(painter, QRect(0, 0, DrawingWidth, DrawingHeight), true);
    }
    EXPECT_EQ(screen.pixel(182, 49) & 0xFFFFFF, Black);
    EXPECT_EQ(screen.pixel(182, 60) & 0xFFFFFF, Black);
    EXPECT_EQ(screen.pixel(182, 61) & 0xFFFFFF, White);
    EXPECT_EQ(screen.pixel(183, 49) & 0xFFFFFF, White);
    EXPECT_EQ(Pixel(182, 49), White) << "the caret never enters the backing image";
    {
        QPainter painter(&screen);
        PaintDrawingArea(painter, QRect(0, 0, DrawingWidth, DrawingHeight), false);
    }
    EXPECT_EQ(screen.pixel(182, 49) & 0xFFFFFF, White) << "the blink's off phase";

    CreateCaret(1, 5);
    EXPECT_FALSE(CaretVisible()) << "creating replaces the shown caret";
    EXPECT_EQ(CaretRect(), QRect(0, 0, 1, 5));
    ShowCaret();
    DestroyCaret();
    EXPECT_FALSE(CaretVisible());
    EXPECT_TRUE(CaretRect().isNull());
    SetCaretPos(10, 10);
    ShowCaret();
    EXPECT_FALSE(CaretVisible()) << "no caret to show after it was destroyed";
}
