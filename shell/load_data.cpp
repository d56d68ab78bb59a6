// LoadData: the fixed order of the six loaders and the progress window around them.
#include "shell/load_data.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "data/database.h"
#include "data/file_faults.h"
#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/settings.h"
#include "data/word_lists.h"
#include "engine/selection.h"
#include "shell/main_window.h"
#include "shell/restore.h"

QProgressBar* ProgressWindow = nullptr;
int ProgressSteps = 0;

void CloseProgressWindow()
{
    delete ProgressWindow;
    ProgressWindow = nullptr;
}

static void OpenProgressWindow()
{
    CloseProgressWindow();
    QRect desktop(0, 0, 0, 0);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        desktop = screen->geometry();
    // Integer halves truncated toward zero, as the centring rule asks.
    const int x = desktop.width() / 2 - 100;
    const int y = desktop.height() / 2 - 25;

    // Caption only: no system menu and no close box, so the learner cannot close it.
    ProgressWindow = new QProgressBar;
    ProgressWindow->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    ProgressWindow->setWindowTitle(QStringLiteral("Lumora: Loading data ..."));
    ProgressWindow->setRange(0, 5);
    ProgressWindow->setValue(0);
    ProgressWindow->setTextVisible(false);
    ProgressWindow->setFixedSize(200, 50);
    ProgressWindow->move(x, y);
    ProgressWindow->show();
    ProgressWindow->raise();
    ProgressWindow->activateWindow();
}

static void StepProgress()
{
    ++ProgressSteps;
    if (ProgressWindow == nullptr)
        return;
    // The sixth step runs past the range of 0..5; the bar simply stays full.
    ProgressWindow->setValue(ProgressSteps < 5 ? ProgressSteps : 5);
    // No event loop runs while loading, so the bar is drawn here and now.
    ProgressWindow->repaint();
}

int LoadData()
{
    LogTrace("LoadData");

    NameDataFiles();

    ProgressSteps = 0;
    OpenProgressWindow();

    struct Loader {
        int (*run)();
        int stepCode;
    };
    // LoadStudent needs the frequency list and the settings; SetCurrentChar needs all five before it.
    static const Loader loaders[] = {
        {LoadPinyinList, 2136}, {LoadWdsList, 2140}, {LoadIndex, 2144},
        {LoadSettings, 2147},   {LoadStudentOrRestore, 2150}, {SetCurrentChar, 2153},
    };
    for (const Loader& loader : loaders) {
        if (!loader.run()) {
            // No character of the queue can be asked: the records name none the database can read.
            if (loader.run == SetCurrentChar && LastFileFault.kind == FaultKind::None) {
                LastFileFault = ContentFault(FaultKind::Mismatch, App.Files.Info.c_str(), FaultDetail::NoCharacterToAsk);
                LastFileFault.otherFile = App.Files.Learner.c_str();
            }
            // The progress window stays on the screen behind the fatal message.
            LogStep(loader.stepCode);
            return 0;
        }
        StepProgress();
    }

    CloseProgressWindow();
    if (MainWindow != nullptr) {
        MainWindow->raise();
        MainWindow->activateWindow();
    }
    return 1;
}
