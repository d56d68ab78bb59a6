// A test build of the program: the real Winmain with its seams set from the command line, so that
// the two-process tests and the kill test run it without a person and with a short save pause.
// Not installed. Run it with QT_QPA_PLATFORM=offscreen in a folder holding the data files.
//
//   lumora_driver [--pause MS] [--wait-limit MS] [--instance NAME] [--answer yes|no]
//                 [--answers N] [--linger MS] [--minimized] [--save-log FILE] [--hold-final-save FILE]
//
//   --answers N    once running, answer N characters (every fifth wrongly) and quit; -1 never quits
//   --linger MS    without answers: stay MS ms, then quit (the quit saves)
//   --minimized    start minimized and print "raised" when another copy brings the window back
//   --save-log F   before each save append "saving <hash>" to F (the hash of what the save writes)
//   --hold-final-save F  hold the save at quit, once begun, until the file F exists
//   --day-offset N the clock runs N days ahead; with --day-per-save one more day before each save,
//                  so that every save is a day's first and makes a backup
//   --check-backups print "backup <date> loads|damaged <learned>" for every copy in the backups
//                  folder, newest first, and "backups <count>", then exit without starting
//
// Prints "running <ms> <hash>" when the loop starts (the hash of the records as loaded), "asked
// <text>" for every message, "ended <ms>" when Winmain returns, and exits with Winmain's result.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "data/backups.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "engine/input.h"
#include "engine/window.h"
#include "shell/main_window.h"
#include "shell/winmain.h"

namespace {

int YesNoAnswer = AnswerNo;
std::string SaveLog;
std::string HoldFinalSave;
int PauseMs = 0;
long DayOffset = 0;
bool DayPerSave = false;

std::time_t ShiftedNow()
{
    return std::time(nullptr) + static_cast<std::time_t>(DayOffset) * 86400;
}

std::string Hash(const std::vector<std::uint8_t>& bytes)
{
    std::uint64_t hash = 1469598103934665603ull;
    for (std::uint8_t byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

long long Now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

int Answer(const char* text, const char*, int buttons, int)
{
    std::printf("asked %s\n", text);
    std::fflush(stdout);
    return buttons == AskYesNo ? YesNoAnswer : AnswerOk;
}

// Logged before anything is written, so that after a kill the file must equal this save or the
// one before it.
void LogThenPause(int ms)
{
    if (DayPerSave)
        ++DayOffset;
    if (!SaveLog.empty()) {
        if (std::FILE* log = std::fopen(SaveLog.c_str(), "a")) {
            std::fprintf(log, "saving %s\n", Hash(LearnerFileBytes()).c_str());
            std::fclose(log);
        }
    }
    if (ms > 0)
        PauseBeforeSaveDefault(ms);
    // Only the save at quit runs after the event loop has ended. The wait is bounded, so that a
    // test that never lets go does not leave the process behind.
    if (QuitRequested && !HoldFinalSave.empty()) {
        for (int waited = 0; waited < 60000 && !QFile::exists(QString::fromLocal8Bit(HoldFinalSave.c_str())); waited += 10)
            PauseBeforeSaveDefault(10);
    }
}

// One step of a learner at the keyboard: type the readings of the current character (every fifth
// character with a wrong tone), or move on with space once it is answered.
void AnswerOnce(int& answered)
{
    if (App.Answered) {
        OnChar(' ');
        return;
    }
    const bool wrong = answered % 5 == 4;
    for (PairNode* node = App.ReadingList.head; node != nullptr && !App.Answered; node = node->next) {
        std::string reading = NarrowString(node->pair.first).c_str();
        // A neutral tone is stored bare and typed with 5.
        if (reading.empty() || reading.back() < '1' || reading.back() > '4')
            reading += '5';
        if (wrong)
            reading.back() = reading.back() == '1' ? '2' : '1';
        for (char key : reading)
            OnChar(static_cast<unsigned char>(key));
    }
    if (App.Answered || App.ReadingCount == 0)
        ++answered;
}

long Answers = 0;
int Linger = 0;
bool Minimized = false;
bool WasMinimized = false;
int Answered = 0;
QTimer* Driver = nullptr;

// A key, a check for the raise, or the quit, every tick of the driver's timer.
void Tick()
{
    if (WasMinimized && MainWindow != nullptr && !MainWindow->isMinimized()) {
        std::printf("raised\n");
        std::fflush(stdout);
        WasMinimized = false;
    }
    if (Answers == 0 || QuitRequested || MainWindow == nullptr)
        return;
    if (Answers > 0 && Answered >= Answers) {
        SendCommand(IDM_QUIT);
        return;
    }
    AnswerOnce(Answered);
}

// Starts driving once the window runs; before that (a copy still waiting for the name, or loading
// behind a question) it looks again a little later.
void Begin()
{
    if (MainWindow == nullptr || !MainWindow->isVisible() || QuitRequested) {
        QTimer::singleShot(10, Begin);
        return;
    }
    std::printf("running %lld %s\n", Now(), Hash(LearnerFileBytes()).c_str());
    std::fflush(stdout);
    if (Minimized) {
        MainWindow->showMinimized();
        WasMinimized = true;
    }
    if (Answers == 0)
        QTimer::singleShot(Linger, [] { SendCommand(IDM_QUIT); });
    Driver->start(Answers != 0 ? 0 : 20);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "0";
        if (option == "--pause")
            PauseMs = std::atoi(value), ++i;
        else if (option == "--wait-limit")
            InstanceWaitMs = std::atoi(value), ++i;
        else if (option == "--instance")
            InstanceName = QString::fromLocal8Bit(value), ++i;
        else if (option == "--answer")
            YesNoAnswer = std::strcmp(value, "yes") == 0 ? AnswerYes : AnswerNo, ++i;
        else if (option == "--answers")
            Answers = std::atol(value), ++i;
        else if (option == "--linger")
            Linger = std::atoi(value), ++i;
        else if (option == "--minimized")
            Minimized = true;
        else if (option == "--save-log")
            SaveLog = value, ++i;
        else if (option == "--hold-final-save")
            HoldFinalSave = value, ++i;
        else if (option == "--day-offset")
            DayOffset = std::atol(value), ++i;
        else if (option == "--day-per-save")
            DayPerSave = true;
        else if (option == "--check-backups") {
            const std::vector<Backup> backups = ListBackups();
            for (const Backup& backup : backups)
                std::printf("backup %s %s %d\n", backup.date.c_str(), backup.loads ? "loads" : "damaged", backup.learned);
            std::printf("backups %zu\n", backups.size());
            return 0;
        }
    }
    NowSeconds = ShiftedNow;
    SavePauseMs = PauseMs > 0 ? PauseMs : (SaveLog.empty() ? 0 : 1);
    PauseBeforeSave = LogThenPause;
    AskLearner = Answer;

    QTimer driver;
    Driver = &driver;
    QObject::connect(&driver, &QTimer::timeout, Tick);
    QTimer::singleShot(0, Begin);
    const int result = Winmain();
    driver.stop();
    std::printf("ended %lld answered %d\n", Now(), Answered);
    return result;
}
