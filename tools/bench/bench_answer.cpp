// Times the learner's two keys on the real window (offscreen): one decided answer, from the tone
// digit's key to the last redraw on screen, and one space key, the next character with its
// redraw. Runs the program on a copy of a staged folder and prints medians over many answers.
// Sound is on, with the staged folder's helper: where a sound server runs (PULSE_SERVER or
// XDG_RUNTIME_DIR), every decided answer starts the readings playing while the next keys are timed.
// Typing starts once the window is exposed, and each timed key ends with a repaint of the drawing
// area, so the paint is part of every figure (the handling and the paint are also shown apart).
//   QT_QPA_PLATFORM=offscreen build/tools/bench/bench_answer build/run [answers]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/program_state.h"
#include "data/seams.h"
#include "engine/input.h"
#include "engine/window.h"
#include "shell/main_window.h"
#include "shell/speech.h"
#include "shell/winmain.h"
#include "tests/support/test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double> values, int percent) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() * percent / 100];
}

double Median(const std::vector<double>& values) { return Percentile(values, 50); }

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The reading of the active row, as the learner would type it.
std::string ExpectedReading() {
    const StringPair* reading = App.ReadingList.At(App.ActiveRow);
    if (reading == nullptr) return "";
    return NarrowString(reading->first).c_str();
}

// Each timed key in two parts: its handling, then the paint of what it changed.
struct KeyTimes {
    std::vector<double> whole;
    std::vector<double> handling;
    std::vector<double> paint;
};

void TimeKey(DrawingArea* area, unsigned key, KeyTimes* times) {
    Clock::time_point start = Clock::now();
    OnChar(key);
    Clock::time_point handled = Clock::now();
    area->repaint();
    const double whole = Since(start);
    const double paint = Since(handled);
    // Between keys the loop runs, as between a learner's keys: the sound helper gets its commands
    // and the readings play while the next keys are timed.
    QCoreApplication::processEvents();
    if (times == nullptr) return;
    times->whole.push_back(whole);
    times->handling.push_back(std::chrono::duration<double, std::milli>(handled - start).count());
    times->paint.push_back(paint);
}

void TypeAndTime(int answers, KeyTimes& decided, KeyTimes& next) {
    DrawingArea* area = MainWindow->Area();
    for (int n = 0; n < answers; ++n) {
        bool wrong = n % 3 == 2;
        // Every row but the deciding one is typed right; then the last key decides the character.
        while (!App.Answered) {
            std::string reading = ExpectedReading();
            if (reading.empty()) return;
            char last = reading.back();
            bool toned = last >= '1' && last <= '4';
            std::string letters = toned ? reading.substr(0, reading.size() - 1) : reading;
            char digit = toned ? last : '5';
            if (wrong) digit = digit == '1' ? '2' : '1';
            for (char c : letters) OnChar(static_cast<unsigned char>(c));
            area->repaint();
            bool deciding = wrong || App.ActiveRow + 1 == App.ReadingCount;
            TimeKey(area, static_cast<unsigned char>(digit), deciding ? &decided : nullptr);
        }
        // The space key that saves (answer count 10 modulo 50) is left out of the timing.
        bool saves = App.AnswerCount % 50 == 10;
        TimeKey(area, ' ', saves ? nullptr : &next);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_answer <staged run folder> [answers]\n");
        return 2;
    }
    QApplication application(argc, argv);
    QString source = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    int answers = argc > 2 ? std::atoi(argv[2]) : 500;
    TestFolder folder;
    for (const QString& name : QDir(source).entryList(QDir::Files)) {
        if (name == "lumora" || name == "student.lumora" || name == "log.txt") continue;
        QFile::copy(source + "/" + name, name);
    }
    SavePauseMs = 0;
    VoiceHelper = source + "/lumora-voice";
    InstanceName = QStringLiteral("lumora-bench-%1").arg(QCoreApplication::applicationPid());

    KeyTimes decided, next;
    QTimer::singleShot(0, [&] {
        // The window must be on the screen first: an unexposed window does not paint at all.
        const Clock::time_point waited = Clock::now();
        while ((MainWindow->windowHandle() == nullptr || !MainWindow->windowHandle()->isExposed()) &&
               Since(waited) < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
        TypeAndTime(answers, decided, next);
        SendAbort(0);  // ends without saving the benchmark's answers
    });
    if (Winmain() != 1) {
        std::fprintf(stderr, "the program did not start; see log.txt in %s\n", folder.path().c_str());
        return 1;
    }
    // The program writes a "sound:" line when it stays silent (no recordings, helper or server).
    std::string silence;
    if (std::FILE* log = std::fopen("log.txt", "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, log))
            if (std::string(line).rfind("sound: ", 0) == 0) silence = line;
        std::fclose(log);
    }
    std::printf("%s", silence.empty() ? "sound: on, the readings of each decided answer playing\n" : silence.c_str());
    if (!decided.whole.empty())
        std::printf("first decided answer (starts the sound helper): %.3f ms\n", decided.whole.front());
    std::printf("decided answers: %zu, median %.3f ms (tone digit to redraw, no save), 90%% within %.3f ms\n",
                decided.whole.size(), Median(decided.whole), Percentile(decided.whole, 90));
    std::printf("space keys: %zu, median %.3f ms (next character with its redraw), 90%% within %.3f ms\n",
                next.whole.size(), Median(next.whole), Percentile(next.whole, 90));
    std::printf("  parts (medians): answer %.3f ms handled + %.3f ms painted, space %.3f ms handled + %.3f ms painted\n",
                Median(decided.handling), Median(decided.paint), Median(next.handling), Median(next.paint));
    return 0;
}
