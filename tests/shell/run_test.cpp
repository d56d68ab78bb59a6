// The running program: the close sequence and what it saves, the abort that saves nothing, the
// exam's switch of picture and menu, keys reaching the engine, and the help window.
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>

#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "display/dialogs.h"
#include "shell/main_window.h"
#include "shell/platform.h"
#include "shell/winmain.h"
#include "tests/shell/shell_fixture.h"

namespace {

std::vector<std::uint8_t> Settings(int x, int y)
{
    return {1, 0, 2, 4, static_cast<std::uint8_t>(x & 0xFF), static_cast<std::uint8_t>(x >> 8),
            static_cast<std::uint8_t>(y & 0xFF), static_cast<std::uint8_t>(y >> 8)};
}

TEST_F(ShellTest, CloseSavesLastPositionAndNextStartUsesIt)
{
    StandUp();
    EXPECT_EQ(RunLumora([] {
                  MainWindow->move(300, 260);
                  MainWindow->close();
                  EXPECT_FALSE(MainWindow->isVisible());
              }),
              1);
    EXPECT_EQ(ReadFileBytes("sf04"), Settings(300, 260));
    EXPECT_EQ(static_cast<long>(ReadFileBytes("student.lumora").size()), LearnerFileSize);

    // The next start in the same folder comes up where the window was left.
    ResetProgramState();
    QPoint placed;
    EXPECT_EQ(RunLumora([&placed] {
                  placed = MainWindow->pos();
                  MainWindow->close();
              }),
              1);
    EXPECT_EQ(placed, QPoint(300, 260));
}

TEST_F(ShellTest, SavedPositionOffEveryScreenFallsBackToTheDefault)
{
    StandUp();
    WriteFileBytes("sf04", Settings(60000, 60000));
    QPoint placed;
    RunLumora([&placed] {
        placed = MainWindow->pos();
        SendAbort(0);
    });
    EXPECT_EQ(placed, QPoint(50, 50));
}

TEST_F(ShellTest, AbortEndsWithoutSavingAnything)
{
    StandUp();
    WriteFileBytes("need_log_file.txt", {});
    EXPECT_EQ(RunLumora([] { SendAbort(0); }), 1);
    EXPECT_TRUE(ReadFileBytes("sf04").empty()) << "the installation's empty sf04 is left alone";
    EXPECT_TRUE(ReadFileBytes("student.lumora").empty());
    const auto lines = LogLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "WM_USER + 7"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "SaveData"), lines.end());
    EXPECT_EQ(lines.back(), "FreeMemory");
}

// Presses OK in whichever settings dialog opens.
void PressOk(QDialog* dialog)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->property("id").toInt() == IDC_OK) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no OK button";
}

TEST_F(ShellTest, ExamSwitchesPictureAndMenuAndGuardsTheClose)
{
    StandUp();
    DialogOpened = PressOk;
    // The first close during the exam is refused, the second agreed to.
    ScriptAnswers({AnswerNo, AnswerYes});
    int examPixels = 0;
    bool runningAfterNo = false;
    RunLumora([&] {
        MainWindow->Command(IDM_BEGIN)->trigger();
        EXPECT_FALSE(MainWindow->Command(IDM_BEGIN)->isEnabled());
        EXPECT_TRUE(MainWindow->Command(IDM_END)->isEnabled());
        EXPECT_FALSE(MainWindow->Command(IDM_NEXT)->isEnabled());
        MainWindow->Area()->repaint();
        examPixels = CountPixelsNear(BackingImage(), ExamColour);
        EXPECT_EQ(CountPixelsNear(BackingImage(), TrainingColour), 0);

        MainWindow->close();
        runningAfterNo = !QuitRequested && MainWindow->isVisible();
        MainWindow->close();
    });
    DialogOpened = nullptr;
    EXPECT_GT(examPixels, 20000);
    EXPECT_TRUE(runningAfterNo);
    ASSERT_EQ(AskedQuestions().size(), 2u);
    EXPECT_EQ(AskedQuestions()[0].text, "Exam not finished. Are you sure?");
    EXPECT_EQ(static_cast<long>(ReadFileBytes("student.lumora").size()), LearnerFileSize);
}

TEST_F(ShellTest, SettingsAndAboutCommandsOpenTheirDialogs)
{
    StandUp();
    WriteFileBytes("need_log_file.txt", {});
    DialogOpened = PressOk;
    RunLumora([] {
        MainWindow->Command(IDM_CHAROPTIONS)->trigger();
        MainWindow->Command(IDM_EXAMOPTIONS)->trigger();
        MainWindow->Command(IDM_ABOUT)->trigger();
        SendAbort(0);
    });
    DialogOpened = nullptr;
    std::vector<std::string> seen;
    for (const std::string& line : LogLines()) {
        if (line.rfind("IDM_", 0) == 0 || line == "CharOptions" || line == "ExamOptions" || line == "About")
            seen.push_back(line);
    }
    // About has no trace line of its own in the dispatcher, only the dialog's.
    EXPECT_EQ(seen, (std::vector<std::string>{"IDM_CHAROPTIONS", "CharOptions", "IDM_EXAMOPTIONS",
                                              "ExamOptions", "About"}));
}

void Press(int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(MainWindow->Area(), &press);
}

TEST_F(ShellTest, TypedKeysReachTheActiveRow)
{
    StandUp();
    std::string typed;
    RunLumora([&typed] {
        Press(Qt::Key_M, "m");
        Press(Qt::Key_A, "a");
        Press(Qt::Key_X, "X");  // capitals are not pinyin
        Press(Qt::Key_U, "u");
        Press(Qt::Key_Backspace, QString());
        typed = NarrowString(App.TypedPinyin[App.ActiveRow]).c_str();
        SendAbort(0);
    });
    EXPECT_EQ(typed, "ma");
}

TEST_F(ShellTest, HelpOpensTheHelpFileOfTheCurrentFolder)
{
    StandUp();
    WriteFileBytes("lumora_help", {});
    const std::string page = "<html><body><h1>Training</h1><p>Type ma1.</p></body></html>";
    WriteFileBytes("lumora_help", std::vector<std::uint8_t>(page.begin(), page.end()));
    QString shown;
    RunLumora([&shown] {
        SendCommand(IDM_HELP);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* browser = qobject_cast<QTextBrowser*>(widget); browser && browser->isVisible())
                shown = browser->toPlainText();
        }
        SendAbort(0);
    });
    EXPECT_TRUE(shown.contains("Type ma1.")) << shown.toStdString();
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<QTextBrowser*>(widget), nullptr) << "the help window goes with the run";
}

}  // namespace
