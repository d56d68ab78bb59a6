// One copy per user: a second start asks the running copy to come to the front and leaves.
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include "tests/shell/shell_fixture.h"

namespace {

TEST_F(ShellTest, SecondCopyAsksTheFirstAndLeavesLogAlone)
{
    WriteFileBytes("need_log_file.txt", {});
    WriteFileBytes("log.txt", {'k', 'e', 'p', 't', '\n'});
    QLocalServer first;
    ASSERT_TRUE(first.listen(InstanceName));

    EXPECT_EQ(RunLumora([] { ADD_FAILURE() << "a second copy must not run"; }), 1);
    EXPECT_TRUE(first.waitForNewConnection(1000)) << "the running copy was asked to come forward";
    EXPECT_EQ(ReadFileText("log.txt"), "kept\n");
    EXPECT_TRUE(AskedQuestions().empty()) << "no log notice from a second copy";
}

TEST_F(ShellTest, StartTakesOverAStaleNameAndComesForwardWhenAnotherStarts)
{
    // What a copy killed without cleaning up leaves: the name taken, nobody answering.
    const QString stale = QDir::temp().filePath(InstanceName);
    WriteFileBytes(stale.toStdString(), {'x'});
    EXPECT_EQ(RunLumora([] {
                  MainWindow->showMinimized();
                  ASSERT_TRUE(MainWindow->isMinimized());
                  QLocalSocket second;
                  second.connectToServer(InstanceName);
                  EXPECT_TRUE(second.waitForConnected(1000)) << "the start took the name over and serves it";
                  QElapsedTimer waited;
                  waited.start();
                  while (MainWindow->isMinimized() && waited.elapsed() < 2000)
                      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                  EXPECT_FALSE(MainWindow->isMinimized());
                  SendAbort(0);
              }),
              1);
    QFile::remove(stale);
}

}  // namespace
