// What is on the screen when the program blocks: the save pause begins only after everything
// drawn before it has reached the screen.
#include <QBackingStore>
#include <QScreen>

#include "data/program_state.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "tests/shell/shell_fixture.h"

namespace {

// Pixels where the screen (what the window system was last given) differs from the backing image;
// the caret makes a few.
int DifferingPixels()
{
    const QPoint at = MainWindow->Area()->mapTo(MainWindow, QPoint(0, 0));
    const QImage screen = MainWindow->screen()
                              ->grabWindow(MainWindow->winId(), at.x(), at.y(), DrawingWidth, DrawingHeight)
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    const QImage& drawn = BackingImage();
    if (screen.size() != drawn.size())
        return DrawingWidth * DrawingHeight;
    int count = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            count += screen.pixel(x, y) != drawn.pixel(x, y);
    return count;
}

int DifferingAtPause = -1;
int CharAtPause = 0;

TEST_F(ShellTest, TheNextCharacterIsOnTheScreenWhenTheSavePauseBegins)
{
    TestDatabase database;
    database.AddChar(0x4E00, {"ma1 horse"});
    database.AddChar(0x4E01, {"ni3 you"}).glyph = std::vector<std::uint8_t>(72, 0xF0);
    database.Write();

    SavePauseMs = 1;
    PauseBeforeSave = [](int) {
        CharAtPause = App.CurrentChar;
        DifferingAtPause = DifferingPixels();
    };
    RunLumora([] {
        QCoreApplication::processEvents();  // the first paint
        App.CharTable[0x5000].Good = 9;     // with the next answer, 10 answers: the space saves
        Type("ma1");
        ASSERT_TRUE(App.Answered);
        QCoreApplication::processEvents();
        ASSERT_LT(DifferingPixels(), 40) << "the answered character is on the screen";
        Type(" ");
        SendAbort(0);
    });
    PauseBeforeSave = PauseBeforeSaveDefault;
    EXPECT_EQ(CharAtPause, 0x4E01);
    EXPECT_GE(DifferingAtPause, 0) << "the pause began";
    EXPECT_LT(DifferingAtPause, 40) << "the screen shows what was drawn before the pause";
}

}  // namespace
