// The drawing helpers keep the original platform's conventions, on which every panel's exact
// pixels depend.
#include "tests/display/display_fixture.h"

using CanvasTest = DisplayTest;

TEST_F(CanvasTest, RectanglesAndLinesLeaveOutTheirFarEdgeAndEndPoint)
{
    {
        QPainter painter(&BackingImage());
        FillRectangle(painter, 10, 10, 20, 15, Qt::black);
        FillRectangle(painter, 50, 50, 40, 60, Qt::black);  // inverted: nothing
        DrawLine(painter, 100, 120, 100, 110, Qt::red);
        DrawLine(painter, 200, 200, 210, 210, Qt::red);
    }
    EXPECT_EQ(Count(10, 10, 20, 15, Black), 50);
    EXPECT_EQ(Count(0, 0, 600, 380, Black), 50);
    EXPECT_EQ(Count(100, 111, 101, 121, Red), 10) << "drawn upwards, the start included";
    for (int i = 0; i < 10; ++i) EXPECT_EQ(Pixel(200 + i, 200 + i), Red);
    EXPECT_EQ(Count(0, 0, 600, 380, Red), 20);
}

TEST_F(CanvasTest, PointSizesAndABoldThatShows)
{
    EXPECT_EQ(PointFont(8, 400).pixelSize(), 11);
    EXPECT_EQ(PointFont(7, 700).pixelSize(), 9);
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

TEST_F(CanvasTest, WordBreakMeasureAndClip)
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

    // Opaque in a band two lines high: two lines drawn, nothing outside the band.
    TextRect band = {10, 10, 90, 10 + 2 * line};
    TextRect centred = {100, 100, 200, 140};
    {
        QPainter painter(&BackingImage());
        DrawText(painter, text, band, DT_WORDBREAK, PointFont(8, 400), Qt::black, PanelYellow);
        DrawText(painter, "mmm", centred, DT_SINGLELINE | DT_VCENTER | DT_CENTER, PointFont(8, 400), Qt::black,
                 Qt::red);
    }
    EXPECT_GT(Count(10, 10 + line, 90, 10 + 2 * line, Black), 0);
    EXPECT_EQ(Count(0, 0, 100, 380, White) + Count(10, 10, 90, 10 + 2 * line, Yellow) +
                  Count(10, 10, 90, 10 + 2 * line, Black),
              100 * 380);
    // The opaque cell of a centred line sits in the middle of its rectangle.
    const TextRect cell = Measured("mmm", 0, 0, DT_SINGLELINE, 400);
    EXPECT_EQ(Count(100, 100, 200, 140, White), 100 * 40 - cell.right * cell.bottom);
    EXPECT_NE(Pixel(100 + (100 - cell.right) / 2, 100 + (40 - cell.bottom) / 2), White);
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
    PaintDrawingArea(painter, screen.rect(), true);
    EXPECT_EQ(screen.pixel(182, 60) & 0xFFFFFF, Black);
    EXPECT_EQ(screen.pixel(182, 61) & 0xFFFFFF, White);
    EXPECT_EQ(Pixel(182, 49), White) << "the caret never enters the backing image";
    PaintDrawingArea(painter, screen.rect(), false);
    EXPECT_EQ(screen.pixel(182, 49) & 0xFFFFFF, White) << "the blink's off phase";

    CreateCaret(1, 5);
    EXPECT_FALSE(CaretVisible()) << "creating replaces the shown caret";
    DestroyCaret();
    ShowCaret();
    EXPECT_FALSE(CaretVisible());
}
