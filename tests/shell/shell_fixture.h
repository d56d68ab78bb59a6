// The whole program in-process in a test folder, with a private instance name and a hook that
// acts once the event loop runs.
#pragma once
#include <QColor>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLocalServer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "display/dialogs.h"
#include "engine/window.h"
#include "shell/main_window.h"
#include "shell/winmain.h"
#include "tests/support/test_support.h"

// The test pictures' colours, far apart so that a pixel tells which is shown.
const QColor TrainingColour(40, 160, 220);
const QColor ExamColour(230, 120, 40);

// Pixels within a small distance of the colour.
inline int CountPixelsNear(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                         std::abs(pixel.blue() - colour.blue()) < 24;
        }
    }
    return count;
}

// The lines that are among 'wanted', in the order the log has them.
inline Lines Among(const Lines& lines, const Lines& wanted)
{
    Lines found;
    for (const std::string& line : lines)
        if (std::find(wanted.begin(), wanted.end(), line) != wanted.end()) found.push_back(line);
    return found;
}

// A key pressed in the drawing area; the handler reads the text.
inline void Press(int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(MainWindow->Area(), &press);
}

inline void Type(const std::string& keys)
{
    for (char key : keys) Press(key == ' ' ? Qt::Key_Space : Qt::Key_A, QString(QChar::fromLatin1(key)));
}

// Captions of the dialogs opened during a run; each is left to close without applying anything.
inline Lines OpenedDialogs;
inline void RecordDialog(QDialog* dialog) { OpenedDialogs.push_back(dialog->windowTitle().toStdString()); }

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int run = 0;
        InstanceName = QStringLiteral("lumora-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++run);
        OpenedDialogs.clear();
        DialogOpened = RecordDialog;
        StandUp();
    }

    void TearDown() override
    {
        DialogOpened = nullptr;
        // The lock file outlives its holder by design; the tests' own names are not left in /tmp.
        QFile::remove(InstanceLockPath());
        QLocalServer::removeServer(InstanceName);
    }

    // Database and both pictures, as an installation has them.
    static void StandUp()
    {
        TestDatabase database;
        database.AddChar(0x4E00, {"yi1 one"});
        database.Write();
        QImage picture(600, 380, QImage::Format_RGB32);
        picture.fill(TrainingColour);
        ASSERT_TRUE(picture.save("bktrain_de.jpg", "jpg", 95));
        picture.fill(ExamColour);
        ASSERT_TRUE(picture.save("bkexam_de.jpg", "jpg", 95));
    }

    // Winmain with 'whileRunning' called once the loop runs; the hook must end the run.
    static int RunLumora(const std::function<void()>& whileRunning)
    {
        // Owned here, so that a start that never reaches the loop leaves no timer behind.
        QObject context;
        QTimer::singleShot(0, &context, [&whileRunning] {
            whileRunning();
            if (!QuitRequested && MainWindow != nullptr) {
                ADD_FAILURE() << "the run was left going; ending it without saving";
                SendAbort(0);
            }
        });
        return Winmain();
    }

    // A start that must end before the loop runs; its quit code.
    static int RunLumoraToAFailedStart()
    {
        return RunLumora([] { ADD_FAILURE() << "the loop must not run"; });
    }

    TestFolder folder;
};
