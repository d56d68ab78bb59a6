// The background pictures the build paints: 600x380 JPEG files whose decoded yellow is exactly
// the panel yellow wherever the display erases by filling with it, and around it.
#include <QImage>
#include <QString>

#include "display/layout.h"
#include "tests/display/display_fixture.h"

namespace {

QImage Decoded(const char* name)
{
    return QImage(QString::fromLatin1(LUMORA_RUN_DIR) + "/" + QString::fromLatin1(name))
        .convertToFormat(QImage::Format_RGB32);
}

TEST(BackgroundPictures, DecodeToThePanelYellowUnderEveryErasedArea)
{
    const QImage training = Decoded("bktrain_de.jpg");
    const QImage exam = Decoded("bkexam_de.jpg");
    for (const QImage* picture : {&training, &exam}) {
        ASSERT_EQ(picture->size(), QSize(600, 380));
        int wrong = 0;
        for (const Rect& area : YellowAreas) {
            // One pixel around each area too: a smoothly scaled picture blends it in.
            for (int y = area.top - 1; y <= area.bottom; ++y)
                for (int x = area.left - 1; x <= area.right; ++x)
                    wrong += (picture->pixel(x, y) & 0xFFFFFF) != Yellow;
        }
        EXPECT_EQ(wrong, 0) << (picture == &training ? "training" : "exam");
    }
    // Between the cards the paper shows, in each mode's own colour.
    for (QPoint paper : {QPoint(296, 100), QPoint(20, 8), QPoint(150, 160)}) {
        EXPECT_NE(training.pixel(paper) & 0xFFFFFF, Yellow) << paper.x();
        EXPECT_NE(training.pixel(paper), exam.pixel(paper)) << paper.x();
    }
}

}  // namespace
