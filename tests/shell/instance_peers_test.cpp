// The running copy and peers that do not behave like a second copy: one that hangs up before it is
// answered, one that says nothing, one that sends nonsense. None of them may stop the window's
// events or keep the running copy from answering the next start.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <string>

#include "shell/instance.h"
#include "shell/local_socket.h"
#include "tests/shell/shell_fixture.h"

namespace {

std::string RunningCopysSocket()
{
    return QFile::encodeName(QDir::temp().filePath(InstanceName)).toStdString();
}

// Events while waiting for a whole line from 'fd'; the running copy is this process. The 10 s limit
// only keeps a copy that never answers from hanging the test.
std::string AnswerWithEvents(int fd)
{
    std::string answer;
    QElapsedTimer waited;
    waited.start();
    while (answer.find('\n') == std::string::npos && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        answer += ReceiveLine(fd, 0, 64);
    }
    return answer;
}

TEST_F(ShellTest, PeersThatHangUpSayNothingOrSendNonsenseLeaveTheRunningCopyAnswering)
{
    EXPECT_EQ(RunLumora([] {
                  const std::string path = RunningCopysSocket();
                  FileDescriptor gone = ConnectToLocalSocket(path, 250);
                  const FileDescriptor silent = ConnectToLocalSocket(path, 250);
                  const FileDescriptor nonsense = ConnectToLocalSocket(path, 250);
                  ASSERT_TRUE(gone.Valid() && silent.Valid() && nonsense.Valid());
                  gone.Close();  // answering it must not end this process with SIGPIPE
                  ASSERT_TRUE(SendText(nonsense.Get(), std::string(4000, '\xff')));

                  EXPECT_EQ(AnswerWithEvents(silent.Get()), "raised\n") << "answered without a question";
                  EXPECT_EQ(AnswerWithEvents(nonsense.Get()), "raised\n");
                  const FileDescriptor second = ConnectToLocalSocket(path, 250);
                  ASSERT_TRUE(second.Valid());
                  ASSERT_TRUE(SendText(second.Get(), "raise\n"));
                  EXPECT_EQ(AnswerWithEvents(second.Get()), "raised\n") << "the window's events were never held up";
                  SendAbort(0);
              }),
              1);
    EXPECT_FALSE(QFile::exists(QDir::temp().filePath(InstanceName))) << "the socket goes with its copy";
}

}  // namespace
