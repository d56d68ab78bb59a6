// The drawing area on screens with more device pixels than logical ones: dots as whole blocks,
// text at device resolution in its place, fills with the painter's edges, a smooth background.
#include <QPainter>
#include <algorithm>

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
    // The bounding box of black device pixels, in logical pixels (rounded outward).
    static QRectF InkBox()
    {
        const QImage& image = BackingImage();
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == Black) box |= QRect(x, y, 1, 1);
        const double r = image.devicePixelRatio();
        return QRectF(box.left() / r, box.top() / r, (box.right() + 1) / r - box.left() / r,
                      (box.bottom() + 1) / r - box.top() / r);
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

TEST_F(HiDpiTest, TextIsDrawnAtDeviceResolutionInItsPlace)
{
    auto drawReading = [] {
        QPainter painter(&BackingImage());
        TextRect rect = {12, 40, 300, 70};
        DrawText(painter, "guo2 ni3 hao3: country", rect, DT_SINGLELINE, PointFont(8, 700), Qt::black);
        rect = {12, 60, 300, 90};
        DrawText(painter, "a translation in the normal face", rect, DT_SINGLELINE, PointFont(8, 400), Qt::black);
    };
    StartAt(1.0);
    drawReading();
    const QImage once = BackingImage().copy();
    const QRectF onceBox = InkBox();
    for (double ratio : {2.0, 1.5}) {
        StartAt(ratio);
        drawReading();
        const QImage& image = BackingImage();
        int other = 0, differs = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
                other += pixel != Black && pixel != White;
                differs += pixel != (once.pixel(std::min(int(x / ratio), 599), std::min(int(y / ratio), 379)) & 0xFFFFFF);
            }
        }
        EXPECT_EQ(other, 0) << "no smoothing at " << ratio;
        EXPECT_GT(differs, 200) << "not an enlarged copy of the scale one text at " << ratio;
        const QRectF box = InkBox();
        EXPECT_NEAR(box.left(), onceBox.left(), 1.0) << ratio;
        EXPECT_NEAR(box.top(), onceBox.top(), 1.0) << ratio;
        EXPECT_NEAR(box.bottom(), onceBox.bottom(), 1.0) << ratio;
        EXPECT_NEAR(box.right(), onceBox.right(), 3.0) << "the same words take the same width at " << ratio;
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
