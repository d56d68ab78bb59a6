// The one-copy rule: a lock file held for the life of the process, a local socket beside it, and
// the wait of a copy started while the running one loads or saves.
#include "shell/instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

#include "data/seams.h"
#include "shell/local_socket.h"
#include "shell/main_window.h"

QString InstanceName;
int InstanceWaitMs = 15000;

namespace {

// After this long a waiting copy shows that it waits.
constexpr int NoticeAfterMs = 500;
// How long one question to the running copy waits for its answer.
constexpr int AnswerWaitMs = 250;
// How long the running copy keeps an answered connection open for its peer to hang up first.
constexpr int HoldAnsweredMs = 2000;

QString ServerName()
{
    return InstanceName.isEmpty() ? DefaultInstanceName() : InstanceName;
}

// The socket's file: the name in the temporary folder, so that copies with different TMPDIR
// never meet.
std::string SocketPath()
{
    return QFile::encodeName(QDir::temp().filePath(ServerName())).toStdString();
}

// One answered connection. It is closed once the peer hangs up, or after a while: closing it
// earlier, while the peer's question is still unread, would reset the connection and could cost
// the peer the answer. Whatever the peer sends is read and dropped.
class AnsweredPeer : public QObject {
public:
    AnsweredPeer(FileDescriptor socket, QObject* server)
        : QObject(server), socket_(std::move(socket)), readable_(socket_.Get(), QSocketNotifier::Read, this)
    {
        connect(&readable_, &QSocketNotifier::activated, this, [this] { Drain(); });
        QTimer::singleShot(HoldAnsweredMs, this, [this] { deleteLater(); });
    }

private:
    void Drain()
    {
        char discarded[256];
        const ssize_t n = recv(socket_.Get(), discarded, sizeof discarded, 0);
        if (n > 0 || (n < 0 && (errno == EAGAIN || errno == EINTR)))
            return;
        readable_.setEnabled(false);
        deleteLater();
    }

    FileDescriptor socket_;  // declared first, so it closes after the notifier that watches it is gone
    QSocketNotifier readable_;
};

// Listens while this copy holds the lock. Answers every copy that connects: "raised" once the
// window is up and running (it is brought to the front), "busy" while it is still loading or
// already closing. It answers inside the event loop, so a copy that loads or saves (and runs no
// loop) does not answer at all, which the asking copy takes as busy.
class InstanceServer : public QObject {
public:
    InstanceServer(FileDescriptor listener, std::string path)
        : listener_(std::move(listener)), path_(std::move(path)),
          connecting_(listener_.Get(), QSocketNotifier::Read, this)
    {
        connect(&connecting_, &QSocketNotifier::activated, this, [this] { AnswerWaiting(); });
    }
    ~InstanceServer() override
    {
        // The lock is still held here, so the name cannot belong to another copy yet.
        unlink(path_.c_str());
    }

private:
    void AnswerWaiting()
    {
        // A few at a time: any more wake the notifier again, after the window's other events.
        for (int answered = 0; answered < 16; ++answered) {
            FileDescriptor peer = AcceptLocalConnection(listener_.Get());
            if (!peer.Valid())
                return;
            const bool running = MainWindow != nullptr && !QuitRequested && MainWindow->isVisible();
            if (running)
                MainWindow->BringToFront();
            // A peer that has already gone cannot be answered; nothing else to do for it.
            if (SendText(peer.Get(), running ? "raised\n" : "busy\n"))
                new AnsweredPeer(std::move(peer), this);
        }
    }

    FileDescriptor listener_;
    std::string path_;
    QSocketNotifier connecting_;
};

InstanceServer* Server = nullptr;
FileDescriptor LockFile;

// Takes the lock without waiting. Only its holder ever removes or claims the socket's name, so two
// copies started together cannot both take it. Where no lock file can be made at all (no usable
// temporary folder) the copy runs unguarded rather than not at all, as it did before the lock.
bool TakeLock()
{
    const QByteArray path = QFile::encodeName(InstanceLockPath());
    FileDescriptor file(open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!file.Valid())
        return true;
    if (flock(file.Get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    LockFile = std::move(file);
    return true;
}

// Replaces a socket left by a copy that was killed (the lock says nobody uses it) and answers on
// it. If it cannot listen, the copy still runs; a second copy then waits and reports it busy.
void Serve()
{
    delete Server;
    Server = nullptr;
    const std::string path = SocketPath();
    FileDescriptor listener = ListenOnLocalSocket(path);
    if (listener.Valid())
        Server = new InstanceServer(std::move(listener), path);
}

enum class Reply { Raised, Busy, Nobody };

// Asks the running copy to come to the front. A copy that is loading or saving runs no event loop
// and so cannot answer in time: that counts as busy.
Reply AskRunningCopy()
{
    const FileDescriptor socket = ConnectToLocalSocket(SocketPath(), AnswerWaitMs);
    if (!socket.Valid())
        return Reply::Nobody;
    SendText(socket.Get(), "raise\n");
    const std::string reply = ReceiveLine(socket.Get(), AnswerWaitMs, 64);
    return reply.rfind("raised", 0) == 0 ? Reply::Raised : Reply::Busy;
}

// The small window of a copy that waits for the running one.
QWidget* ShowWaitingNotice()
{
    QLabel* notice = new QLabel(QStringLiteral("Waiting for Lumora to finish saving \u2026"));
    notice->setWindowTitle(QStringLiteral("Lumora"));
    notice->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    notice->setMargin(16);
    // Placed in the middle of the screen: without a position of its own, a window manager that
    // places windows by hand would ask the learner where to put it.
    notice->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        notice->move(area.x() + (area.width() - notice->width()) / 2, area.y() + (area.height() - notice->height()) / 2);
    }
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
    delete Server;
    Server = nullptr;
    LockFile.Close();
}
