// One copy per user: a second start asks the running copy to come to the front and leaves.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include "shell/main_window.h"
#include "shell/platform.h"
#include "shell/winmain.h"
#include "tests/shell/shell_fixture.h"

namespace {

TEST_F(ShellTest, SecondCopyAsksTheFirstAndLeavesLogAlone)
{
    StandUp();
    WriteFileBytes("need_log_file.txt", {});
    WriteFileBytes("log.txt", {'k', 'e', 'p', 't', '\n'});
    QLocalServer first;
    ASSERT_TRUE(first.listen(InstanceName));

    EXPECT_EQ(RunLumora([] { ADD_FAILURE() << "a second copy must not run"; }), 1);
    EXPECT_TRUE(first.waitForNewConnection(1000)) << "the running copy was asked to come forward";
    EXPECT_EQ(ReadFileText("log.txt"), "kept\n");
    EXPECT_TRUE(AskedQuestions().empty()) << "no log notice from a second copy";
    EXPECT_EQ(MainWindow, nullptr);
}

TEST_F(ShellTest, RunningCopyComesForwardWhenAnotherStarts)
{
    StandUp();
    bool minimisedBefore = false;
    bool minimisedAfter = true;
    RunLumora([&] {
        MainWindow->showMinimized();
        minimisedBefore = MainWindow->isMinimized();
        QLocalSocket second;
        second.connectToServer(InstanceName);
        EXPECT_TRUE(second.waitForConnected(1000));
        QElapsedTimer waited;
        waited.start();
        while (MainWindow->isMinimized() && waited.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        minimisedAfter = MainWindow->isMinimized();
        SendAbort(0);
    });
    EXPECT_TRUE(minimisedBefore);
    EXPECT_FALSE(minimisedAfter);
}

TEST_F(ShellTest, NameLeftByACrashedCopyDoesNotBlockTheStart)
{
    StandUp();
    // What a copy killed without cleaning up leaves: the name taken, nobody answering.
    const QString stale = QDir::temp().filePath(InstanceName);
    WriteFileBytes(stale.toStdString(), {'x'});
    bool answered = false;
    EXPECT_EQ(RunLumora([&answered] {
                  QLocalSocket second;
                  second.connectToServer(InstanceName);
                  answered = second.waitForConnected(1000);
                  SendAbort(0);
              }),
              1);
    EXPECT_TRUE(answered) << "the start took the name over and serves it";
    QFile::remove(stale);
}

}  // namespace
