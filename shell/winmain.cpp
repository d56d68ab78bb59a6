// Winmain: the one-copy rule, start-up with its fatal errors, the event loop and the quit codes.
#include "shell/winmain.h"

#include <QApplication>
#include <QIcon>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPixmap>
#include <QString>
#include <unistd.h>

#include "data/learner.h"
#include "data/log.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "shell/load_data.h"
#include "shell/main_window.h"
#include "shell/pictures.h"

QString InstanceName;

namespace {

QLocalServer* InstanceServer = nullptr;

QString ServerName()
{
    return InstanceName.isEmpty() ? DefaultInstanceName() : InstanceName;
}

// True when a running copy answered; it is then asked to bring its window to the front.
bool RaiseRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(1000))
        return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    return true;
}

void StopServing()
{
    delete InstanceServer;
    InstanceServer = nullptr;
}

void ServeSecondCopies()
{
    StopServing();
    InstanceServer = new QLocalServer;
    InstanceServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!InstanceServer->listen(ServerName())) {
        // Nobody answered a moment ago, so the name is left from a copy that did not end cleanly.
        QLocalServer::removeServer(ServerName());
        InstanceServer->listen(ServerName());
    }
    QObject::connect(InstanceServer, &QLocalServer::newConnection, InstanceServer, [] {
        while (QLocalSocket* socket = InstanceServer->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (MainWindow != nullptr && !QuitRequested)
                MainWindow->BringToFront();
        }
    });
}

void ForgetWindow()
{
    DrawingWidget = nullptr;
    for (QLabel*& part : StatusParts)
        part = nullptr;
    MainWindow = nullptr;
}

int FatalError(const char* text, int stepCode)
{
    // A copy that cannot start does not keep others from starting.
    StopServing();
    AskLearner(text, "Lumora", AskOk, 0);
    LogStep(stepCode);
    CloseProgressWindow();
    FreePictures();
    return 0;
}

}  // namespace

QString DefaultInstanceName()
{
    return QStringLiteral("Lumora-%1").arg(static_cast<unsigned long>(getuid()));
}

int Winmain()
{
    // Before anything else, and so before "log.txt" is touched.
    if (RaiseRunningCopy())
        return 1;
    // Claimed at once, so that a copy started while this one is still loading finds it.
    ServeSecondCopies();

    if (AskLearner == AskLearnerDefault)
        AskLearner = AskLearnerQt;
    QuitRequested = false;
    QuitCode = 0;
    QApplication::setQuitOnLastWindowClosed(false);

    SwitchLog();

    const QPixmap icon(QStringLiteral(":/icon102.png"));
    if (icon.isNull())
        return FatalError("Fatal error: icon could not be loaded!", 3230);
    QApplication::setWindowIcon(QIcon(icon));

    // Qt needs no window class; the step stays so that its failure has its place.
    const bool classRegistered = true;
    if (!classRegistered)
        return FatalError("Fatal error: window could not be registered!", 3247);

    LumoraWindow* window = new LumoraWindow;
    LogTrace("WM_CREATE");
    if (OnCreate(window) != 0) {
        ForgetWindow();
        delete window;
        return FatalError("Fatal error: main window could not be created!", 3263);
    }
    window->show();
    window->activateWindow();

    // A quit asked for before the loop runs (a test, or an abort during the first paint) counts too.
    if (!QuitRequested)
        QApplication::exec();
    const int code = QuitRequested ? QuitCode : 0;

    CloseHelpWindow();
    ForgetWindow();
    delete window;
    if (code == 2)
        SaveDataAtQuit();
    FreeMemory();
    FreePictures();
    StopServing();
    return 1;
}
