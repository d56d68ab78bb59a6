// The running program: the close sequence and what it saves, keys and commands reaching their
// handlers, the help window, and the exam's switch of picture and menu.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>

#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "shell/pictures.h"
#include "tests/shell/shell_fixture.h"

namespace {

TEST_F(ShellTest, QuitSavesAfterTheLoopAndNextStartComesUpThere)
{
    WriteFileBytes("need_log_file.txt", {});
    EXPECT_EQ(RunLumora([] {
                  MainWindow->move(300, 260);
                  MainWindow->Command(IDM_QUIT)->trigger();
                  EXPECT_FALSE(MainWindow->isVisible());
              }),
              1);
    // The settings as they were, then the window's left and top (300, 260), low byte first.
    EXPECT_EQ(ReadFileBytes("sf04"), (std::vector<std::uint8_t>{1, 0, 2, 4, 0x2C, 0x01, 0x04, 0x01}));
    EXPECT_EQ(static_cast<long>(ReadFileBytes("student.lumora").size()), LearnerFileSize);
    const Lines closing{"IDM_QUIT", "WM_CLOSE", "OnQuit", "SaveData", "FreeMemory"};
    EXPECT_EQ(Among(LogLines(), closing), closing);

    auto placedByNextStart = [] {
        ResetProgramState();
        QPoint placed;
        RunLumora([&placed] {
            placed = MainWindow->pos();
            SendAbort(0);
        });
        return placed;
    };
    EXPECT_EQ(placedByNextStart(), QPoint(300, 260));
    WriteFileBytes("sf04", {1, 0, 2, 4, 0x60, 0xEA, 0x60, 0xEA});
    EXPECT_EQ(placedByNextStart(), QPoint(50, 50)) << "a place off every screen falls back to the default";
}

// A session at the window: typing, the settings, About and Help, then an exam with its guarded close.
TEST_F(ShellTest, KeysAndCommandsThenAnExamWithItsGuardedClose)
{
    const std::string page = "<html><body><h1>Training</h1><p>Type ma1.</p></body></html>";
    WriteFileBytes("lumora_help", std::vector<std::uint8_t>(page.begin(), page.end()));
    // The first close during the exam is refused, the second agreed to.
    ScriptAnswers({AnswerNo, AnswerYes});
    RunLumora([] {
        Press(Qt::Key_M, "m");
        Press(Qt::Key_A, "a");
        Press(Qt::Key_X, "X");  // capitals are not pinyin
        Press(Qt::Key_Backspace, QString());
        EXPECT_STREQ(NarrowString(App.TypedPinyin[App.ActiveRow]).c_str(), "m");

        MainWindow->Command(IDM_CHAROPTIONS)->trigger();
        MainWindow->Command(IDM_EXAMOPTIONS)->trigger();
        MainWindow->Command(IDM_ABOUT)->trigger();
        SendCommand(IDM_HELP);
        QString help;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* browser = qobject_cast<QTextBrowser*>(widget); browser && browser->isVisible())
                help = browser->toPlainText();
        }
        EXPECT_TRUE(help.contains("Type ma1.")) << "the help file of the current folder is shown";

        // Only the shown picture holds pixels; the other is decoded again when its mode returns.
        EXPECT_TRUE(ExamPicture->pixels.isNull());
        MainWindow->Command(IDM_BEGIN)->trigger();
        EXPECT_FALSE(MainWindow->Command(IDM_BEGIN)->isEnabled());
        EXPECT_TRUE(MainWindow->Command(IDM_END)->isEnabled());
        EXPECT_FALSE(MainWindow->Command(IDM_NEXT)->isEnabled());
        MainWindow->Area()->repaint();
        EXPECT_GT(CountPixelsNear(BackingImage(), ExamColour), 20000);
        EXPECT_EQ(CountPixelsNear(BackingImage(), TrainingColour), 0);
        EXPECT_TRUE(TrainingPicture->pixels.isNull());

        MainWindow->close();
        EXPECT_TRUE(!QuitRequested && MainWindow->isVisible()) << "No keeps the exam going";
        MainWindow->close();
    });
    EXPECT_EQ(OpenedDialogs,
              (Lines{"Character Display Options", "Exam Settings", "Lumora - About", "Exam Settings"}));
    ASSERT_EQ(AskedQuestions().size(), 2u);
    EXPECT_EQ(AskedQuestions()[0].text, "Exam not finished. Are you sure?");
    EXPECT_EQ(static_cast<long>(ReadFileBytes("student.lumora").size()), LearnerFileSize);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<QTextBrowser*>(widget), nullptr) << "the help window goes with the run";
}

// Alt+A then X: of "Start E&xam" and "End E&xam" only the enabled one answers to the letter, so X
// starts an exam in training and ends it during one; the keyboard is back in the drawing area after
// the dialog.
TEST_F(ShellTest, OneLetterPicksTheEnabledOfTwoItemsSharingIt)
{
    ScriptAnswers({AnswerYes});
    DialogOpened = [](QDialog* dialog) {
        RecordDialog(dialog);
        dialog->findChild<QPushButton*>(QString::number(IDC_OK))->click();
    };
    RunLumora([] {
        auto* actions = qobject_cast<QMenu*>(MainWindow->Command(IDM_BEGIN)->parent());
        ASSERT_NE(actions, nullptr);
        auto pressX = [actions] {
            actions->popup(MainWindow->geometry().topLeft());
            QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QCoreApplication::sendEvent(actions, &x);
            QCoreApplication::processEvents();
        };
        pressX();
        EXPECT_FALSE(App.TrainingMode) << "X started the exam";
        EXPECT_FALSE(actions->isVisible()) << "and closed the menu";
        EXPECT_EQ(QApplication::focusWidget(), MainWindow->Area());
        pressX();
        EXPECT_TRUE(App.TrainingMode) << "X ended it, after the question";
        MainWindow->Area()->repaint();
        EXPECT_GT(CountPixelsNear(BackingImage(), TrainingColour), 20000) << "the training picture came back";
        EXPECT_EQ(CountPixelsNear(BackingImage(), ExamColour), 0);
        SendAbort(0);
    });
    EXPECT_EQ(OpenedDialogs, Lines{"Exam Settings"});
    ASSERT_EQ(AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedQuestions()[0].text, "Exam not finished. Are you sure?");
}

}  // namespace
