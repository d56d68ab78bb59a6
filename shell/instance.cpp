// The one-copy rule: a lock file held for the life of the process, a local socket beside it, and
// the wait of a copy started while the running one loads or saves.
#include "shell/instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLocalServer>
#include <QLocalSocket>
#include <QString>
#include <QThread>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "data/seams.h"
#include "shell/main_window.h"

QString InstanceName;
int InstanceWaitMs = 15000;

namespace {

QLocalServer* InstanceServer = nullptr;
int LockFile = -1;

// After this long a waiting copy shows that it waits.
constexpr int NoticeAfterMs = 500;
// How long one question to the running copy waits for its answer.
constexpr int AnswerWaitMs = 250;

QString ServerName()
{
    return InstanceName.isEmpty() ? DefaultInstanceName() : InstanceName;
}

// Takes the lock without waiting. Only its holder ever removes or claims the socket's name, so two
// copies started together cannot both take it. Where no lock file can be made at all (no usable
// temporary folder) the copy runs unguarded rather than not at all, as it did before the lock.
bool TakeLock()
{
    const QByteArray path = QFile::encodeName(InstanceLockPath());
    const int file = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file < 0)
        return true;
    if (flock(file, LOCK_EX | LOCK_NB) != 0) {
        close(file);
        return false;
    }
    LockFile = file;
    return true;
}

// Answers every copy that connects: "raised" once the window is up and running (it is brought to
// the front), "busy" while it is still loading or already closing.
void Serve()
{
    delete InstanceServer;
    InstanceServer = new QLocalServer;
    InstanceServer->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a copy that was killed: the lock says nobody uses it.
    QLocalServer::removeServer(ServerName());
    InstanceServer->listen(ServerName());
    QObject::connect(InstanceServer, &QLocalServer::newConnection, InstanceServer, [] {
        while (QLocalSocket* socket = InstanceServer->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            const bool running = MainWindow != nullptr && !QuitRequested && MainWindow->isVisible();
            if (running)
                MainWindow->BringToFront();
            socket->write(running ? "raised\n" : "busy\n");
            socket->flush();
        }
    });
}

enum class Reply { Raised, Busy, Nobody };

// Asks the running copy to come to the front. A copy that is loading or saving runs no event loop
// and so cannot answer in time: that counts as busy.
Reply AskRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(AnswerWaitMs))
        return Reply::Nobody;
    socket.write("raise\n");
    socket.flush();
    QByteArray reply;
    QElapsedTimer waited;
    waited.start();
    while (!reply.contains('\n') && waited.elapsed() < AnswerWaitMs) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(AnswerWaitMs - static_cast<int>(waited.elapsed())))
            break;
        reply += socket.readAll();
    }
    return reply.startsWith("raised") ? Reply::Raised : Reply::Busy;
}

// The small window of a copy that waits for the running one.
QWidget* ShowWaitingNotice()
{
    QLabel* notice = new QLabel(QStringLiteral("Waiting for Lumora to finish saving \u2026"));
    notice->setWindowTitle(QStringLiteral("Lumora"));
    notice->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    notice->setMargin(16);
    notice->show();
    notice->raise();
    return notice;
}

// Events for the notice only, for a short while, so that it paints and can be moved.
void PauseWhileWaiting(int ms)
{
    QElapsedTimer slept;
    slept.start();
    while (slept.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(20);
    }
}

}  // namespace

QString DefaultInstanceName()
{
    return QStringLiteral("Lumora-%1").arg(static_cast<unsigned long>(getuid()));
}

QString InstanceLockPath()
{
    return QDir::temp().filePath(ServerName() + QStringLiteral(".lock"));
}

bool ClaimInstance()
{
    if (TakeLock()) {
        Serve();
        return true;
    }
    // Earlier a copy that found the name taken but got no answer left at once, so a restart right
    // after quitting (during the final save) or during another's loading vanished without a word.
    // It now waits for the running copy to answer or to let go of the lock.
    QElapsedTimer waited;
    waited.start();
    QWidget* notice = nullptr;
    bool claimed = false;
    bool raised = false;
    for (;;) {
        if (AskRunningCopy() == Reply::Raised) {
            raised = true;
            break;
        }
        if (TakeLock()) {
            claimed = true;
            break;
        }
        if (waited.elapsed() >= InstanceWaitMs)
            break;
        if (notice == nullptr && waited.elapsed() >= NoticeAfterMs)
            notice = ShowWaitingNotice();
        PauseWhileWaiting(100);
    }
    delete notice;
    if (claimed) {
        Serve();
        return true;
    }
    if (!raised)
        AskLearner("Another copy of Lumora is still busy and does not answer.\n\n"
                   "Please wait until it has closed, then start Lumora again.",
                   "Lumora", AskOk, 0);
    return false;
}

void ReleaseInstance()
{
    delete InstanceServer;
    InstanceServer = nullptr;
    if (LockFile >= 0) {
        close(LockFile);
        LockFile = -1;
    }
}
