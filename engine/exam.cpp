// Exam mode: start with its settings, the set-up, the end with the estimate and the quit guard.
#include "engine/exam.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "data/clock.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/random.h"
#include "data/seams.h"
#include "engine/drawing.h"
#include "engine/results.h"
#include "engine/selection.h"
#include "engine/window.h"

namespace {

const char* const NotFinishedQuestion = "Exam not finished. Are you sure?";

// Records the completed exam as the newest history entry (the oldest is dropped) and returns
// the result message.
void StoreExamResult(char* message, std::size_t size) {
    const auto known = static_cast<std::int32_t>(App.KnownCount);
    const auto margin = static_cast<std::int32_t>(App.KnownMargin);
    std::snprintf(message, size, "At 95%% confidence level, you know\n\n  %d +/- %d\n\ncharacters.", known, margin);

    std::memmove(&App.ExamHistory[1], &App.ExamHistory[0], sizeof(ExamRecord) * (HistoryCount - 1));
    ExamRecord& entry = App.ExamHistory[0];
    entry.Day = static_cast<std::uint16_t>(GetTime());
    entry.Asked = static_cast<std::uint16_t>(App.AnswerCount);
    entry.Known = static_cast<std::uint16_t>(App.KnownCount);
    // One more than the shown margin, so that a stored margin is never 0.
    entry.Margin = static_cast<std::uint16_t>(static_cast<std::int32_t>(App.KnownMargin + 1));
}

}  // namespace

void OnBeginExam() {
    LogTrace("OnBeginExam");
    SendCommand(IDM_EXAMOPTIONS);  // the Exam Settings dialog; it closes only with OK
    PrepareTest();
    UpdateLevel();
    SetCurrentChar();  // a failure leaves an empty entry; the window is repainted regardless
    RepaintMainWindow();
    UpdateStatusBar();
    EnableCommand(IDM_BEGIN, false);
    EnableCommand(IDM_END, true);
    EnableCommand(IDM_NEXT, false);
}

void PrepareTest() {
    LogTrace("PrepareTest");
    SeedRandom(static_cast<std::uint32_t>(NowSeconds()));
    App.TrainingMode = false;
    App.AnswerCount = 0;
    App.ExamGood = 0;
    App.ExamRange = App.ExamLevel == 1 ? 1000 : App.ExamLevel == 4 ? 8000 : 4000;
    App.ExamQuestions = App.ExamLength == 1 ? 50 : App.ExamLength == 2 ? 100 : 200;
}

void OnEndExam() {
    LogTrace("OnEndExam");
    // Outside an exam the answer count is the training total and would pass for a finished exam.
    if (App.TrainingMode) return;

    if (App.AnswerCount == App.ExamQuestions) {
        char message[160];
        StoreExamResult(message, sizeof message);
        AskLearner(message, "Exam result ...", AskOk, 1);
    } else if (AskLearner(NotFinishedQuestion, "End exam ...", AskYesNo, 1) == AnswerNo) {
        return;
    }

    App.TrainingMode = true;
    UpdateLevel();
    SetCurrentChar();  // the character that was due when the exam began; repainted regardless
    RepaintMainWindow();
    UpdateStatusBar();
    EnableCommand(IDM_END, false);
    EnableCommand(IDM_BEGIN, true);
    EnableCommand(IDM_NEXT, false);
}

int OnQuit() {
    LogTrace("OnQuit");
    if (App.TrainingMode) return 1;
    return AskLearner(NotFinishedQuestion, "Quit ...", AskYesNo, 1) == AnswerNo ? 0 : 1;
}
