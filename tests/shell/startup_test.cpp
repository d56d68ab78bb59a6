// Start-up: the loading chain behind its progress window, the fatal errors with their step codes,
// and the window the learner first sees.
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <cstdio>

#include "data/program_state.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "shell/load_data.h"
#include "shell/log.h"
#include "shell/main_window.h"
#include "shell/platform.h"
#include "shell/winmain.h"
#include "tests/shell/shell_fixture.h"

namespace {

using Lines = std::vector<std::string>;

TEST_F(ShellTest, StartsWithWindowTitleMenuStatesAndBackground)
{
    StandUp();
    int loadedSteps = -1;
    int trainingPixels = 0;
    int examPixels = 0;
    const int result = RunLumora([&] {
        loadedSteps = ProgressSteps;
        EXPECT_EQ(ProgressWindow, nullptr) << "the progress window is taken down after loading";
        ASSERT_NE(MainWindow, nullptr);
        EXPECT_TRUE(MainWindow->isVisible());
        EXPECT_EQ(MainWindow->windowTitle().toStdString(), "Lumora");
        EXPECT_EQ(MainWindow->pos(), QPoint(50, 50)) << "an empty sf04 places the window at (50, 50)";
        EXPECT_FALSE(MainWindow->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(MainWindow->minimumSize(), MainWindow->maximumSize()) << "not resizable";

        EXPECT_TRUE(MainWindow->Command(IDM_BEGIN)->isEnabled());
        EXPECT_FALSE(MainWindow->Command(IDM_END)->isEnabled());
        EXPECT_FALSE(MainWindow->Command(IDM_NEXT)->isEnabled());
        for (int id : {IDM_QUIT, IDM_CHAROPTIONS, IDM_EXAMOPTIONS, IDM_ABOUT, IDM_HELP})
            EXPECT_TRUE(MainWindow->Command(id)->isEnabled()) << id;
        EXPECT_EQ(MainWindow->Command(IDM_BEGIN)->text().toStdString(), "Start E&xam");

        ASSERT_NE(StatusParts[1], nullptr);
        EXPECT_FALSE(StatusParts[1]->text().isEmpty()) << "the status bar is filled at creation";
        EXPECT_EQ(StatusParts[0]->width(), 135);
        EXPECT_EQ(StatusParts[1]->x(), 135);
        EXPECT_EQ(StatusParts[2]->x(), 400);

        // The first paint comes once the window is exposed.
        QCoreApplication::processEvents();
        trainingPixels = CountPixelsNear(BackingImage(), TrainingColour);
        examPixels = CountPixelsNear(BackingImage(), ExamColour);
        SendAbort(0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(loadedSteps, 6);
    EXPECT_GT(trainingPixels, 20000) << "the training picture is the background while training";
    EXPECT_EQ(examPixels, 0);
    EXPECT_TRUE(LogLines().empty()) << "a normal run without tracing leaves log.txt empty";
    EXPECT_TRUE(AskedQuestions().empty());
    EXPECT_EQ(MainWindow, nullptr);
    EXPECT_EQ(DrawingWidget, nullptr);
}

struct MissingFile {
    const char* name;
    Lines chain;
    int stepsBefore;  // loaders that succeeded before the failing one
};

class MissingDataFile : public ShellTest, public ::testing::WithParamInterface<MissingFile> {};

TEST_P(MissingDataFile, EndsStartWithItsChainOfStepCodes)
{
    StandUp();
    std::remove(GetParam().name);
    const int result = RunLumora([] { ADD_FAILURE() << "the loop must not run"; });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(LogLines(), GetParam().chain);
    EXPECT_EQ(ProgressSteps, GetParam().stepsBefore);
    ASSERT_EQ(AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedQuestions()[0].text, "Fatal error: main window could not be created!");
    EXPECT_EQ(AskedQuestions()[0].caption, "Lumora");
    EXPECT_EQ(AskedQuestions()[0].buttons, AskOk);
    EXPECT_EQ(MainWindow, nullptr);
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

TEST_F(ShellTest, MissingOrUndecodablePictureStopsBeforeLoading)
{
    for (int broken = 0; broken < 2; ++broken) {
        SCOPED_TRACE(broken ? "undecodable training picture" : "missing exam picture");
        StandUp();
        if (broken)
            WriteFileBytes("bktrain_de.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'g'});
        else
            std::remove("bkexam_de.jpg");
        ProgressSteps = -1;
        EXPECT_EQ(RunLumora([] { ADD_FAILURE() << "the loop must not run"; }), 0);
        EXPECT_EQ(LogLines(), (Lines{"2172", "3263"}));
        EXPECT_EQ(ProgressSteps, -1) << "LoadData did not run";
        ResetProgramState();
        ScriptAnswers({});
    }
}

TEST_F(ShellTest, TracingStartsWithCreationAndLoading)
{
    StandUp();
    WriteFileBytes("need_log_file.txt", {});
    WriteFileBytes("log.txt", {'o', 'l', 'd', '\n'});
    RunLumora([] { MainWindow->Command(IDM_QUIT)->trigger(); });
    ASSERT_FALSE(AskedQuestions().empty());
    EXPECT_EQ(AskedQuestions()[0].text, "Log file will be written");

    const Lines lines = LogLines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 5),
              (Lines{"WM_CREATE", "OnCreate", "LoadPictureFile", "LoadPictureFile", "LoadData"}));
    // Quit goes through the close sequence, and the save comes only after the loop.
    auto at = [&lines](const char* text) {
        return std::find(lines.begin(), lines.end(), text) - lines.begin();
    };
    EXPECT_LT(at("IDM_QUIT"), at("WM_CLOSE"));
    EXPECT_LT(at("WM_CLOSE"), at("OnQuit"));
    EXPECT_LT(at("OnQuit"), at("SaveData"));
    EXPECT_LT(at("SaveData"), at("FreeMemory"));
    EXPECT_LT(at("FreeMemory"), static_cast<long>(lines.size()));
}

// The progress window as the learner sees it behind the fatal message of a failed load.
struct ProgressSeen {
    bool shown = false;
    QString caption;
    QRect geometry;
    QSize client;
    int value = -1;
    int maximum = -1;
} Seen;

int RecordProgress(const char*, const char*, int, int)
{
    if (ProgressWindow != nullptr) {
        Seen.shown = ProgressWindow->isVisible();
        Seen.caption = ProgressWindow->windowTitle();
        Seen.geometry = ProgressWindow->frameGeometry();
        Seen.client = ProgressWindow->geometry().size();
        Seen.value = ProgressWindow->value();
        Seen.maximum = ProgressWindow->maximum();
    }
    return AnswerOk;
}

TEST_F(ShellTest, ProgressWindowStaysCentredAfterFailedLoad)
{
    StandUp();
    std::remove("index");
    Seen = ProgressSeen();
    AskLearner = RecordProgress;
    EXPECT_EQ(RunLumora([] {}), 0);
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(Seen.shown);
    EXPECT_EQ(Seen.caption.toStdString(), "Lumora: Loading data ...");
    EXPECT_EQ(Seen.client, QSize(200, 50));
    EXPECT_EQ(Seen.geometry.topLeft(), QPoint(desktop.width() / 2 - 100, desktop.height() / 2 - 25));
    EXPECT_EQ(Seen.maximum, 5);
    EXPECT_EQ(Seen.value, 2) << "stepped once for each loader that succeeded";
}

}  // namespace
