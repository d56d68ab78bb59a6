#include "tests/shell/shell_fixture.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include "shell/main_window.h"
#include "shell/platform.h"
#include "shell/winmain.h"

void WritePicture(const std::string& name, const QColor& colour)
{
    QImage image(600, 380, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString(name), "jpg", 95));
}

int CountPixelsNear(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                    std::abs(pixel.blue() - colour.blue()) < 24)
                ++count;
        }
    }
    return count;
}

void ShellTest::SetUp()
{
    static int run = 0;
    InstanceName = QStringLiteral("lumora-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++run);
    ScriptAnswers({});
}

void ShellTest::TearDown()
{
    InstanceName.clear();
}

void ShellTest::StandUp()
{
    TestDatabase database;
    database.AddChar(0x4E00, {"yi1 one"});
    database.Write();
    WritePicture("bktrain_de.jpg", TrainingColour);
    WritePicture("bkexam_de.jpg", ExamColour);
}

int ShellTest::RunLumora(const std::function<void()>& whileRunning)
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
