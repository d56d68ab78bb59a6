// The drawing area on screens with more device pixels than logical ones: dots as whole blocks,
// text at device resolution in its place, fills with the painter's edges, a smooth background.
#include <QFontMetrics>
#include <QPainter>

#include "engine/drawing.h"
#include "tests/display/display_fixture.h"

namespace {

class HiDpiTest : public DatabaseTest {
protected:
    void TearDown() override
    {
        SetDrawingRatio(1.0);
        DatabaseTest::TearDown();
    }
    static void StartAt(double ratio)
    {
        SetDrawingRatio(ratio);
        BackingImage().fill(Qt::white);
        GlyphArea = {0, 0, 0, 0};
    }
    static QRgb Device(int x, int y) { return BackingImage().pixel(x, y) & 0xFFFFFF; }
    // The device pixels of a logical rectangle all hold 'colour'.
    static bool BlockIs(const QRect& logical, QRgb colour)
    {
        const QRect device = DeviceRect(logical, DrawingRatio());
        for (int y = device.top(); y <= device.bottom(); ++y)
            for (int x = device.left(); x <= device.right(); ++x)
                if (Device(x, y) != colour) return false;
        return !device.isEmpty();
    }
};

TEST_F(HiDpiTest, GlyphBoxIsTheScaleOnePictureInWholeBlocks)
{
    for (int options : {0, int(CharsSimplified)}) {
        App.CurrentChar = Guo;
        App.DisplayOptions = options;
        StartAt(1.0);
        ShowChar();
        const QImage once = BackingImage().copy();
        for (double ratio : {2.0, 1.5}) {
            StartAt(ratio);
            ShowChar();
            for (int y = 17; y < 47; ++y)
                for (int x = 84; x < 143; ++x)
                    ASSERT_TRUE(BlockIs(QRect(x, y, 1, 1), once.pixel(x, y) & 0xFFFFFF))
                        << "ratio " << ratio << " at " << x << "," << y;
        }
    }
    // At 2 a dot is exactly four device pixels: the corner dot of the bottom left glyph.
    StartAt(2.0);
    App.DisplayOptions = 0;
    ShowChar();
    EXPECT_EQ(Device(200, 86), Black);
    EXPECT_EQ(Device(201, 87), Black);
    EXPECT_EQ(Device(202, 86), White);
    EXPECT_EQ(Device(200, 85), White);
}

// Text on a scaled screen is what Qt itself draws there: DrawText gives the device pixels that
// QPainter::drawText gives for the same string at the same baseline in an image of that ratio, in
// the program's font (Arial of its size and weight, unsmoothed, without kerning) left to Qt's own
// hinting. Hinting fitted to the logical size spread letters apart ("the w hole", "a few ;").
TEST_F(HiDpiTest, TextIsWhatQtDrawsAtEveryScale)
{
    const QByteArray texts[] = {"a woman; the whole (afternoon, summer vacation etc)", "a few; a little; (who are you)",
                                "yi1 ge4: one; a; an", "0 2000 4000 6000 8000"};
    const int fonts[][2] = {{11, 400}, {11, 700}, {9, 400}, {8, 400}};  // pixels, weight
    for (double ratio : {1.5, 2.0}) {
        for (const auto& [pixels, weight] : fonts) {
            for (const QByteArray& text : texts) {
                StartAt(ratio);
                {
                    QPainter painter(&BackingImage());
                    TextRect rect = {12, 40, 590, 70};
                    DrawText(painter, text, rect, DT_SINGLELINE, PixelFont(pixels, weight), Qt::black);
                }
                QImage expected(BackingImage().size(), QImage::Format_RGB32);
                expected.setDevicePixelRatio(ratio);
                expected.fill(Qt::white);
                QFont font(QStringLiteral("Arial"));
                font.setPixelSize(pixels);
                font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
                font.setStyleStrategy(QFont::NoAntialias);
                font.setKerning(false);
                QPainter painter(&expected);
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(QPoint(12, 40 + QFontMetrics(font).ascent()), QString::fromLatin1(text));
                painter.end();
                EXPECT_TRUE(BackingImage() == expected) << text.constData() << " at " << ratio << ", " << pixels
                                                        << " pixels, weight " << weight;
            }
        }
    }
}

TEST_F(HiDpiTest, RectanglesAndLinesKeepTheirEdges)
{
    App.TrainingMode = true;
    App.KnownCount = 2000;
    for (double ratio : {2.0, 1.5}) {
        StartAt(ratio);
        ShowLevelBar();
        // Blue from 10 to 60, grey on to 210, each edge where the painter's fill puts it.
        EXPECT_TRUE(BlockIs(QRect(10, 151, 50, 6), Blue)) << ratio;
        EXPECT_TRUE(BlockIs(QRect(60, 151, 150, 6), 0x808080)) << ratio;
        EXPECT_TRUE(BlockIs(QRect(9, 151, 1, 6), White)) << ratio;
        EXPECT_TRUE(BlockIs(QRect(10, 157, 200, 1), White)) << ratio;
        EXPECT_TRUE(BlockIs(QRect(210, 151, 3, 6), White)) << ratio;

        // The chart's baseline from 10 up to, not including, 265: one logical pixel tall.
        ShowProgress();
        EXPECT_TRUE(BlockIs(QRect(10, 350, 255, 1), Blue)) << ratio;
        EXPECT_TRUE(BlockIs(QRect(265, 350, 1, 1), White)) << "the end point is left out at " << ratio;
        EXPECT_TRUE(BlockIs(QRect(10, 349, 255, 1), White)) << ratio;
        EXPECT_TRUE(BlockIs(QRect(10, 351, 255, 1), White)) << ratio;
    }
}

TEST_F(HiDpiTest, BackgroundIsScaledSmoothlyAndFlatColourStaysExact)
{
    QImage picture(600, 380, QImage::Format_RGB32);
    picture.fill(Qt::yellow);
    for (int y = 0; y < 380; ++y)
        for (int x = 300; x < 600; ++x) picture.setPixel(x, y, qRgb(0, 0, 0));
    StartAt(1.0);
    DrawBackground(BackingImage(), QRect(0, 0, 600, 380), &picture);
    EXPECT_EQ(BackingImage(), picture) << "unscaled at 1";

    StartAt(2.0);
    DrawBackground(BackingImage(), QRect(0, 0, 600, 380), &picture);
    EXPECT_TRUE(BlockIs(QRect(0, 0, 298, 380), Yellow)) << "flat yellow stays the exact yellow";
    EXPECT_TRUE(BlockIs(QRect(302, 0, 298, 380), Black));
    int blended = 0;
    for (int x = 590; x < 610; ++x) {
        const QRgb pixel = Device(x, 100);
        blended += pixel != Yellow && pixel != Black;
    }
    EXPECT_GT(blended, 0) << "the edge is smoothed, not doubled";

    // A rebuilt part meets the rest without a seam: only its own device pixels change.
    BackingImage().fill(Qt::white);
    DrawBackground(BackingImage(), QRect(7, 5, 3, 3), &picture);
    EXPECT_TRUE(BlockIs(QRect(7, 5, 3, 3), Yellow));
    int white = 0;
    for (int y = 0; y < 760; ++y)
        for (int x = 0; x < 1200; ++x) white += Device(x, y) == White;
    EXPECT_EQ(white, 1200 * 760 - 36);
}

}  // namespace
