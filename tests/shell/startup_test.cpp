// Start-up: the loading chain behind its progress window, the fatal errors with their step codes,
// and the window the learner first sees with the trace of its start.
#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <cstdio>
#include <ostream>

#include "data/program_state.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "shell/load_data.h"
#include "tests/shell/shell_fixture.h"

namespace {

// A traced start, then the abort (quit code 0) that saves nothing.
TEST_F(ShellTest, TracedStartShowsTheWindowAndAbortSavesNothing)
{
    WriteFileBytes("need_log_file.txt", {});
    EXPECT_EQ(RunLumora([] {
                  EXPECT_EQ(ProgressSteps, 6);
                  EXPECT_EQ(ProgressWindow, nullptr) << "the progress window is taken down after loading";
                  EXPECT_TRUE(MainWindow->isVisible());
                  EXPECT_EQ(MainWindow->windowTitle().toStdString(), "Lumora");
                  EXPECT_EQ(MainWindow->pos(), QPoint(50, 50)) << "an empty sf04 places the window at (50, 50)";

                  EXPECT_TRUE(MainWindow->Command(IDM_BEGIN)->isEnabled());
                  EXPECT_FALSE(MainWindow->Command(IDM_END)->isEnabled());
                  EXPECT_FALSE(MainWindow->Command(IDM_NEXT)->isEnabled());

                  EXPECT_FALSE(StatusParts[1]->text().isEmpty()) << "the status bar is filled at creation";
                  EXPECT_EQ(StatusParts[1]->x(), 135);
                  EXPECT_EQ(StatusParts[2]->x(), 400);

                  // The first paint comes once the window is exposed.
                  QCoreApplication::processEvents();
                  EXPECT_GT(CountPixelsNear(BackingImage(), TrainingColour), 20000);
                  EXPECT_EQ(CountPixelsNear(BackingImage(), ExamColour), 0);
                  SendAbort(0);
              }),
              1);
    EXPECT_EQ(MainWindow, nullptr);
    EXPECT_EQ(AskedQuestions().size(), 1u) << "only the log notice";

    const Lines lines = LogLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5),
              (Lines{"WM_CREATE", "OnCreate", "LoadPictureFile", "LoadPictureFile", "LoadData"}));
    EXPECT_EQ(Among(lines, {"WM_USER + 7", "SaveData", "FreeMemory"}), (Lines{"WM_USER + 7", "FreeMemory"}));
    EXPECT_TRUE(ReadFileBytes("sf04").empty()) << "the installation's empty sf04 is left alone";
    EXPECT_TRUE(ReadFileBytes("student.lumora").empty());
}

struct MissingFile {
    const char* name;
    Lines chain;
    int stepsBefore;  // loaders that succeeded before the failing one
};

// Names the case in test listings instead of a dump of its bytes.
void PrintTo(const MissingFile& file, std::ostream* out) { *out << file.name; }

AskFunction Scripted = nullptr;

// The fatal message comes with the progress window still up; checks it, then answers as scripted.
int CheckProgressWindowThenAnswer(const char* text, const char* caption, int buttons, int owned)
{
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(ProgressWindow != nullptr && ProgressWindow->isVisible());
    if (ProgressWindow != nullptr) {
        EXPECT_EQ(ProgressWindow->windowTitle().toStdString(), "Lumora: Loading data ...");
        EXPECT_EQ(ProgressWindow->size(), QSize(200, 50));
        EXPECT_EQ(ProgressWindow->frameGeometry().topLeft(),
                  QPoint(desktop.width() / 2 - 100, desktop.height() / 2 - 25));
        EXPECT_EQ(ProgressWindow->maximum(), 5);
        EXPECT_EQ(ProgressWindow->value(), ProgressSteps) << "stepped once for each loader that succeeded";
    }
    return Scripted(text, caption, buttons, owned);
}

class MissingDataFile : public ShellTest, public ::testing::WithParamInterface<MissingFile> {};

TEST_P(MissingDataFile, EndsStartWithItsChainOfStepCodes)
{
    std::remove(GetParam().name);
    Scripted = AskLearner;
    AskLearner = CheckProgressWindowThenAnswer;
    EXPECT_EQ(RunLumoraToAFailedStart(), 0);
    EXPECT_EQ(LogLines(), GetParam().chain);
    EXPECT_EQ(ProgressSteps, GetParam().stepsBefore);
    ASSERT_EQ(AskedQuestions().size(), 1u);
    // The fatal line first, then the file that stopped the start (more in the damaged-file tests).
    EXPECT_EQ(AskedQuestions()[0].text.rfind("Fatal error: main window could not be created!\n\n", 0), 0u);
    EXPECT_NE(AskedQuestions()[0].text.find("\"" + std::string(GetParam().name) + "\" is missing."), std::string::npos)
        << AskedQuestions()[0].text;
    EXPECT_EQ(AskedQuestions()[0].caption, "Lumora");
    EXPECT_EQ(ProgressWindow, nullptr) << "the progress window goes with the fatal message";
    EXPECT_TRUE(ReadFileBytes("student.lumora").empty()) << "nothing is saved";
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, MissingDataFile,
    ::testing::Values(MissingFile{"pinyin", {"498", "2136", "2226", "3263"}, 0},
                      MissingFile{"wtf", {"738", "2140", "2226", "3263"}, 1},
                      MissingFile{"cbfcon", {"439", "2144", "2226", "3263"}, 2},
                      MissingFile{"cbf", {"440", "2144", "2226", "3263"}, 2},
                      MissingFile{"cifcon", {"452", "2144", "2226", "3263"}, 2},
                      MissingFile{"cif", {"453", "2144", "2226", "3263"}, 2},
                      MissingFile{"index", {"470", "2144", "2226", "3263"}, 2},
                      MissingFile{"sf04", {"517", "2147", "2226", "3263"}, 3}),
    [](const ::testing::TestParamInfo<MissingFile>& info) { return std::string(info.param.name); });

TEST_F(ShellTest, MissingOrUndecodablePictureEndsTheStart)
{
    for (const bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing exam picture" : "undecodable training picture");
        ResetProgramState();
        StandUp();
        if (missing)
            std::remove("bkexam_de.jpg");
        else
            WriteFileBytes("bktrain_de.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'g'});
        EXPECT_EQ(RunLumoraToAFailedStart(), 0);
        EXPECT_EQ(LogLines(), (Lines{"2172", "3263"}));
        EXPECT_NE(AskedQuestions().back().text.find(missing ? "The exam picture \"bkexam_de.jpg\" is missing."
                                                            : "The training picture \"bktrain_de.jpg\" is not in the "
                                                              "expected format"),
                  std::string::npos)
            << AskedQuestions().back().text;
    }
}

}  // namespace
