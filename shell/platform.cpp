// The window services the engine asks for, and the Qt message box answerer.
#include "shell/platform.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>

#include "data/log.h"
#include "data/seams.h"
#include "display/canvas.h"
#include "display/caret.h"
#include "engine/window.h"
#include "shell/file_messages.h"
#include "shell/main_window.h"
#include "shell/winmain.h"

namespace {

void EnableCommandQt(int id, bool enabled)
{
    if (MainWindow == nullptr)
        return;
    if (QAction* action = MainWindow->Command(id))
        action->setEnabled(enabled);
}

void SendCommandQt(int id)
{
    if (MainWindow == nullptr)
        return;
    OnCommand(id);
}

void SendAbortQt(int quitCode)
{
    if (MainWindow == nullptr)
        return;
    LogTrace("WM_USER + 7");
    EndEventLoop(quitCode);
    MainWindow->hide();
}

void RepaintMainWindowQt()
{
    if (MainWindow == nullptr)
        return;
    MarkForRebuild();
    MainWindow->Area()->repaint();
}

// Pending updates of the drawing area go to the screen at once; no input event is handled.
void FlushDrawingQt()
{
    if (MainWindow == nullptr || !MainWindow->isVisible())
        return;
    MainWindow->Area()->repaint();
}

const WindowServices QtWindowServices = {EnableCommandQt, SendCommandQt, SendAbortQt, RepaintMainWindowQt,
                                         RemoveCaret, FlushDrawingQt};

}  // namespace

void ConnectWindowServices()
{
    ConnectWindow(&QtWindowServices);
}

int AskLearnerQt(const char* text, const char* caption, int buttons, int owned)
{
    // Whatever was drawn before the question is on the screen while it waits for the learner.
    FlushDrawing();
    QWidget* owner = (owned != 0 && MainWindow != nullptr) ? MainWindow : nullptr;
    QMessageBox box(owner);
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    // Texts are plain ASCII but for the names of files and folders and the characters of the
    // database named in messages about files, which come in UTF-8.
    box.setWindowTitle(QString::fromUtf8(caption != nullptr ? caption : ""));
    box.setText(QString::fromUtf8(text != nullptr ? text : ""));
    if (buttons == AskYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();
    ReturnFocusToDrawingArea();
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    if (buttons == AskYesNo)
        return pressed == QMessageBox::Yes ? AnswerYes : AnswerNo;
    return AnswerOk;
}

void TellLearnerInWords(const FileNotice& notice)
{
    AskLearner(FileNoticeText(notice).c_str(), "Lumora", AskOk, MainWindow != nullptr ? 1 : 0);
}
