// One copy per user: a second start raises the running copy and leaves; a start during another's
// final save waits for it and then loads what it saved; a name left by a killed copy is taken
// over; two copies started together never both run. The other copy is a real process (the test
// driver, the program with its seams set from its command line).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "data/learner.h"
#include "tests/shell/shell_fixture.h"

namespace {

// The program as a second process in the test's folder, under the test's instance name.
class OtherCopy {
public:
    explicit OtherCopy(const QStringList& arguments)
    {
        process_.setProgram(QStringLiteral(LUMORA_DRIVER));
        process_.setArguments(QStringList{"--instance", InstanceName} + arguments);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start();
    }
    ~OtherCopy()
    {
        process_.kill();
        process_.waitForFinished(2000);
    }
    // Waits (up to 'ms') for a line that starts with 'word' and returns it, or "".
    QString WaitFor(const QString& word, int ms = 10000)
    {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            while (process_.canReadLine()) {
                const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
                seen_ << line;
                if (line.startsWith(word))
                    return line;
            }
            if (waited.elapsed() > ms || process_.state() == QProcess::NotRunning)
                return QString();
            process_.waitForReadyRead(50);
        }
    }
    bool Finished(int ms) { return process_.state() == QProcess::NotRunning || process_.waitForFinished(ms); }
    int ExitCode() const { return process_.exitCode(); }
    const QStringList& Seen() const { return seen_; }

private:
    QProcess process_;
    QStringList seen_;
};

// Winmain with 'whileRunning' called once the window is up: a start that first waits for another
// copy runs events while it waits, so a plain zero timer would fire too early.
int RunLumoraOnceUp(const std::function<void()>& whileRunning)
{
    QTimer poll;
    bool done = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done || MainWindow == nullptr || !MainWindow->isVisible())
            return;
        done = true;
        whileRunning();
    });
    poll.start(10);
    return Winmain();
}

long long Field(const QString& line, int index)
{
    return line.split(' ').value(index).toLongLong();
}

TEST_F(ShellTest, SecondCopyRaisesTheRunningOneAndLeavesTheLogAlone)
{
    OtherCopy first({"--minimized", "--linger", "20000"});
    ASSERT_FALSE(first.WaitFor("running").isEmpty()) << first.Seen().join('\n').toStdString();

    WriteFileBytes("need_log_file.txt", {});
    WriteFileBytes("log.txt", {'k', 'e', 'p', 't', '\n'});
    EXPECT_EQ(RunLumora([] { ADD_FAILURE() << "a second copy must not run"; }), 1);
    EXPECT_FALSE(first.WaitFor("raised").isEmpty()) << "the running copy came to the front";
    EXPECT_EQ(ReadFileText("log.txt"), "kept\n");
    EXPECT_TRUE(AskedQuestions().empty()) << "no log notice from a second copy";
}

// A learner who quits and starts again at once: the new start waits for the final save, shows that
// it waits, and then comes up with the records just saved. The first copy holds its final save
// until the notice is on the screen.
TEST_F(ShellTest, RestartDuringTheFinalSaveWaitsAndLoadsWhatWasSaved)
{
    TestDatabase database;
    database.AddChar(0x4E00, {"ma1 horse"});  // a reading the test syllables hold
    database.Write();
    OtherCopy first({"--answers", "20", "--save-log", "saves.txt", "--hold-final-save", "notice-seen"});
    // Generous limits: they only keep a copy that never gets there from hanging the test.
    QElapsedTimer waited;
    waited.start();
    while (ReadFileText("saves.txt").size() < 2 * 24 && waited.elapsed() < 30000)
        QThread::msleep(5);
    ASSERT_EQ(ReadFileText("saves.txt").size(), 2u * 24) << "the periodic save, then the final one began";

    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* label = qobject_cast<QLabel*>(widget);
                label && label->isVisible() && label->text().startsWith("Waiting for Lumora to finish saving")) {
                // In the middle of the screen (within a few pixels of rounding and frame), so no
                // window manager asks where to put it.
                const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
                if (!QFile::exists("notice-seen")) {
                    EXPECT_LE((label->geometry().center() - screen.center()).manhattanLength(), 8);
                }
                WriteFileBytes("notice-seen", {});
            }
        }
    });
    watch.start(20);
    static std::vector<std::uint8_t> loaded;
    EXPECT_EQ(RunLumoraOnceUp([] {
                  loaded = LearnerFileBytes();
                  SendAbort(0);
              }),
              1);
    watch.stop();
    EXPECT_TRUE(QFile::exists("notice-seen"));
    ASSERT_TRUE(first.Finished(30000));
    EXPECT_EQ(first.ExitCode(), 1);
    const QString ended = first.WaitFor("ended");
    EXPECT_EQ(Field(ended, 3), 20) << "the first copy answered and quit normally";
    EXPECT_EQ(loaded, ReadFileBytes("student.lumora")) << "the records of the final save were loaded";
    EXPECT_NE(loaded[2 + 8 * 0x4E00 + 2] + loaded[2 + 8 * 0x4E00 + 4], 0) << "and they hold the answers";
}

// A copy that holds the name but never answers: the new start gives up after the wait with a
// message, without running.
TEST_F(ShellTest, ACopyThatStaysBusyIsReportedAfterTheWait)
{
    InstanceWaitMs = 300;
    const QByteArray lockPath = QFile::encodeName(InstanceLockPath());
    const int lock = open(lockPath.constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(flock(lock, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(RunLumoraOnceUp([] {
                  ADD_FAILURE() << "must not run while another holds the name";
                  SendAbort(0);
              }),
              1);
    close(lock);
    InstanceWaitMs = 15000;
    ASSERT_EQ(AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedQuestions()[0].text.rfind("Another copy of Lumora is still busy", 0), 0u);
    EXPECT_FALSE(QFile::exists("log.txt")) << "the log belongs to the running copy";
}

TEST_F(ShellTest, StartTakesOverAStaleNameAndComesForwardWhenAnotherStarts)
{
    // What a copy killed without cleaning up leaves: the socket's name taken, nobody answering,
    // the lock released by the system.
    const QString stale = QDir::temp().filePath(InstanceName);
    WriteFileBytes(stale.toStdString(), {'x'});
    WriteFileBytes(InstanceLockPath().toStdString(), {});
    EXPECT_EQ(RunLumora([] {
                  MainWindow->showMinimized();
                  ASSERT_TRUE(MainWindow->isMinimized());
                  QLocalSocket second;
                  second.connectToServer(InstanceName);
                  EXPECT_TRUE(second.waitForConnected(10000)) << "the start took the name over and serves it";
                  second.write("raise\n");
                  QElapsedTimer waited;
                  waited.start();
                  QByteArray reply;
                  while (!reply.contains('\n') && waited.elapsed() < 10000) {
                      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                      reply += second.readAll();
                  }
                  EXPECT_EQ(reply, "raised\n");
                  EXPECT_FALSE(MainWindow->isMinimized());
                  SendAbort(0);
              }),
              1);
    QFile::remove(stale);
    QFile::remove(InstanceLockPath());
}

// Two copies started at the same moment: at most one runs at any time (the other raises it, or
// waits and runs after it).
TEST_F(ShellTest, CopiesStartedTogetherNeverRunAtOnce)
{
    for (int round = 0; round < 8; ++round) {
        OtherCopy a({"--linger", "100"});
        OtherCopy b({"--linger", "100"});
        ASSERT_TRUE(a.Finished(10000) && b.Finished(10000));
        const QString aRan = a.WaitFor("running", 0), aEnded = a.WaitFor("ended", 0);
        const QString bRan = b.WaitFor("running", 0), bEnded = b.WaitFor("ended", 0);
        EXPECT_FALSE(aRan.isEmpty() && bRan.isEmpty()) << "one of them runs";
        if (!aRan.isEmpty() && !bRan.isEmpty()) {
            const bool apart = Field(aEnded, 1) <= Field(bRan, 1) || Field(bEnded, 1) <= Field(aRan, 1);
            EXPECT_TRUE(apart) << "round " << round << ": both ran at once";
        }
        EXPECT_EQ(a.ExitCode(), 1);
        EXPECT_EQ(b.ExitCode(), 1);
    }
}

}  // namespace
