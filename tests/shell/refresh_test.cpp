// After every step of a session the screen shows the backing image: no drawing operation leaves
// part of its work unrefreshed. Also run on screens with 2 and 1.5 device pixels a pixel.
#include <QDialog>
#include <QBackingStore>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <string>

#include "data/program_state.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "display/caret.h"
#include "display/panels.h"
#include "engine/window.h"
#include "tests/shell/shell_fixture.h"

namespace {

// The radio buttons the next dialog chooses before OK; empty leaves the dialog as it opened.
std::vector<int> NextChoices;

void ChooseAndConfirm(QDialog* dialog)
{
    for (int id : NextChoices) {
        if (auto* radio = dialog->findChild<QRadioButton*>(QString::number(id))) radio->click();
    }
    NextChoices.clear();
    if (auto* ok = dialog->findChild<QPushButton*>(QString::number(IDC_OK))) ok->click();
}

// The drawing area as the screen shows it, in device pixels, once pending updates are done.
QImage Screen()
{
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    QWidget* area = MainWindow->Area();
    QPaintDevice* device = MainWindow->backingStore() != nullptr ? MainWindow->backingStore()->paintDevice() : nullptr;
    if (device == nullptr || device->devType() != QInternal::Image) {
        ADD_FAILURE() << "the window has no image to show";
        return QImage();
    }
    const QImage& shown = *static_cast<QImage*>(device);
    const QRect logical(area->mapTo(MainWindow, QPoint(0, 0)), area->size());
    return shown.copy(DeviceRect(logical, shown.devicePixelRatio())).convertToFormat(QImage::Format_RGB32);
}

// Two images equal device pixel for device pixel outside 'skipped'; names where they differ.
void ExpectSame(const QImage& seen, const QImage& drawn, const QRect& skipped, const std::string& what)
{
    ASSERT_EQ(seen.size(), drawn.size()) << what;
    QRect differs;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (!skipped.contains(x, y) && (seen.pixel(x, y) & 0xFFFFFF) != (drawn.pixel(x, y) & 0xFFFFFF))
                differs |= QRect(x, y, 1, 1);
    EXPECT_TRUE(differs.isEmpty()) << what << " within " << differs.x() << "," << differs.y() << " "
                                   << differs.width() << "x" << differs.height() << " device pixels";
}

// The screen shows the backing image, except the caret, which only the screen has (blinking).
void StalePixels(const std::string& step)
{
    const QImage screen = Screen();  // first: the pending paint may place the caret
    ExpectSame(screen, BackingImage(), CaretVisible() ? DeviceRect(CaretRect(), DrawingRatio()) : QRect(),
               step + ": stale screen");
}

// A full repaint draws the same backing image (every erase restores the background), except the
// up/down indicator, which a repaint removes by design.
void PixelsAFullRepaintChanges(const std::string& step)
{
    const QImage before = BackingImage().copy();
    RepaintMainWindow();
    const Rect& shown = UpDownArea;
    const QRect indicator(shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top);
    ExpectSame(before, BackingImage(), UpDownShown ? DeviceRect(indicator, DrawingRatio()) : QRect(),
               step + ": a full repaint differs");
}

void Check(const std::string& step)
{
    StalePixels(step);
    PixelsAFullRepaintChanges(step);
}

TEST_F(ShellTest, TheScreenAlwaysShowsTheBackingImage)
{
    // 你 first, with nine examples running to the panel's last rows; then 國 beside its simplified form.
    TestDatabase database;
    database.AddChar(0x4F60, {"ni3 you"}).glyph = std::vector<std::uint8_t>(72, 0x5A);
    TestChar& guo = database.AddChar(0x570B, {"guo2 country"});
    guo.otherForm = 0x56FD;
    guo.showBoth = 1;
    guo.glyph = std::vector<std::uint8_t>(72, 0x33);
    database.AddChar(0x56FD, {"guo2 country"}).glyph = std::vector<std::uint8_t>(72, 0xC3);
    for (int n = 0; n < 9; ++n)
        database.AddWord({0x4F60, 0x570B}, "<ni3 guo2> a long translation, gently wrapping, going beyond its "
                                           "own band; egg, pig, yoyo, jpg");
    database.Write();
    // The real pictures, whose yellow cards lie under everything the program erases.
    for (const char* name : {"bktrain_de.jpg", "bkexam_de.jpg"})
        WriteFileBytes(name, ReadFileBytes(std::string(LUMORA_RUN_DIR) + "/" + name));
    DialogOpened = ChooseAndConfirm;
    ScriptAnswers(std::vector<int>(4, AnswerOk));

    RunLumora([] {
        const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
        EXPECT_EQ(DrawingRatio(), ratio) << "the backing image has the screen's own resolution";
        Check("start");
        Type("ni");
        Check("typing");
        Type("3");
        ASSERT_TRUE(App.Answered);
        StalePixels("answered, with examples");
        Type(" ");
        Check("next character, after an answer drawn by parts");

        NextChoices = {1022, 1025};  // simplified characters and examples
        SendCommand(IDM_CHAROPTIONS);
        Check("two boxes");
        Type("guo2");
        StalePixels("answered in simplified form");
        NextChoices = {1021, 1024};
        SendCommand(IDM_CHAROPTIONS);
        Check("one box again");

        NextChoices = {1030, 1034};  // Beginner, 50 questions
        SendCommand(IDM_BEGIN);
        ASSERT_FALSE(App.TrainingMode);
        Check("exam begun");
        for (int question = 0; question < 50 && !App.TrainingMode; ++question) {
            Type("ma1");
            if (question % 10 == 0) StalePixels("exam answer " + std::to_string(question));
            if (!App.TrainingMode) Type(" ");
        }
        ASSERT_TRUE(App.TrainingMode) << "the fiftieth answer ends the exam";
        EXPECT_NE(App.ExamHistory[0].Day, 0) << "the result is in the chart";
        Check("exam ended, chart drawn");
        SendAbort(0);
    });
}

}  // namespace
