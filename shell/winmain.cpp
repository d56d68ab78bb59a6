// Winmain: the one-copy rule, start-up with its fatal errors, the event loop and the quit codes.
#include "shell/winmain.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QString>

#include "data/file_faults.h"
#include "data/learner.h"
#include "data/log.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "shell/file_messages.h"
#include "shell/instance.h"
#include "shell/load_data.h"
#include "shell/main_window.h"
#include "shell/pictures.h"
#include "shell/restore.h"

namespace {

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
    ReleaseInstance();
    // The fatal line stays first; when a file stopped the start, the learner also reads which one,
    // what is wrong with it and what to do.
    // A learner who declined to restore the records has read why already.
    if (!RestoreDeclined)
        AskLearner(FatalStartMessage(text, LastFileFault).c_str(), "Lumora", AskOk, 0);
    LogStep(stepCode);
    CloseProgressWindow();
    FreePictures();
    return 0;
}

}  // namespace

int Winmain()
{
    if (AskLearner == AskLearnerDefault)
        AskLearner = AskLearnerQt;
    if (TellLearner == TellLearnerDefault)
        TellLearner = TellLearnerInWords;
    ForgetFileFault();
    RestoreDeclined = false;
    // Before anything else, and so before "log.txt" is touched. Held from here to the end of the
    // final save, so that a copy started while this one loads or saves finds it.
    if (!ClaimInstance())
        return 1;
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
    ReleaseInstance();
    return 1;
}
