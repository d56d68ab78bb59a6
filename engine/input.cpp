// Typing pinyin into the entry rows, checking each completed syllable and deciding the character.
#include "engine/input.h"

#include <cstdint>

#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "engine/diagnostics.h"
#include "engine/drawing.h"
#include "engine/results.h"
#include "engine/selection.h"
#include "engine/speech.h"
#include "engine/window.h"

namespace {

constexpr int StepActiveRowTooHigh = 2405;
constexpr int StepTooManyReadings = 2406;
constexpr int StepNoReadingForRow = 2407;  // the active row has no reading to compare with
constexpr int StepStoreWrongFailed = 2441;
constexpr int StepStoreRightFailed = 2454;
constexpr int StepAnswerFailed = 2867;

constexpr unsigned KeyBackspace = 8;
constexpr unsigned KeySpace = 32;

// The longest pinyin syllable has six letters ("zhuang"); a row refuses letters beyond them,
// so a row never holds more than six letters and its tone digit.
constexpr std::size_t MaxRowLetters = 6;
// The check copies the text into a buffer of this many units, the last one its terminator.
constexpr std::size_t CheckBufferUnits = 16;

// Saves happen on the space key when the answer count is 10 modulo 50.
constexpr int SaveEvery = 50;
constexpr int SaveAt = 10;

bool IsLetter(unsigned key) { return key >= 'a' && key <= 'z'; }
bool IsToneDigit(unsigned key) { return key >= '0' && key <= '5'; }

// The hidden diagnostic words, matched against the whole row text.
void RunDiagnosticWord(const WideString& text) {
    if (text == WideString("dump1"))
        WriteDumpFiles();
    else if (text == WideString("dump2"))
        MarkAllQueuedKnown();
    else if (text == WideString("dump3"))
        ReverseQueue();
}

}  // namespace

void OnChar(unsigned key) {
    if (App.Answered) {
        if (key == KeySpace) {
            LogTrace("WM_CHAR: NEXT");
            // A failed move to the next character stops the program (after its own save of records
            // that pass their test); no periodic save may follow it.
            if (TryPrepareNextChar() && App.AnswerCount % SaveEvery == SaveAt) {
                // The new character is on the screen before the pause, not after it.
                FlushDrawing();
                SaveData();
            }
        }
        if (App.Answered) return;
    }
    // No row to type into: past the last row, or a character without readings.
    if (App.ActiveRow >= 3 || App.ActiveRow >= App.ReadingCount) return;

    WideString& row = App.TypedPinyin[App.ActiveRow];
    if (IsLetter(key) || IsToneDigit(key)) {
        if (IsLetter(key) && row.length() >= MaxRowLetters) return;
        LogTrace("WM_CHAR: LETTER");
        const std::uint16_t unit[2] = {static_cast<std::uint16_t>(key), 0};
        row = row + WideString(unit);
        RunDiagnosticWord(App.TypedPinyin[App.ActiveRow]);
        if (!OnPinyinChanged()) {
            LogStep(StepAnswerFailed);
            SendAbort(0);
        }
        return;
    }
    if (key == KeyBackspace && row.length() != 0) {
        LogTrace("WM_CHAR: BACKSPACE");
        row = row.Left(row.length() - 1);
        DestroyCaret();
        ShowEntry(App.ActiveRow, 1);
    }
}

int OnPinyinChanged() {
    LogTrace("OnPinyinChanged");
    if (App.ActiveRow > 2) {
        LogStep(StepActiveRowTooHigh);
        return 0;
    }
    if (App.ReadingCount > 3) {
        LogStep(StepTooManyReadings);
        return 0;
    }
    const StringPair* reading = App.ReadingList.At(App.ActiveRow);
    if (App.ActiveRow >= App.ReadingCount || reading == nullptr) {
        LogStep(StepNoReadingForRow);
        return 0;
    }
    DestroyCaret();

    const int row = App.ActiveRow;
    WideString text = App.TypedPinyin[row];
    const std::size_t n = text.length();
    if (n == 0 || !IsToneDigit(text[n - 1])) {
        ShowEntry(row, 0);  // still typing: the text only grew
        return 1;
    }
    if (text[n - 1] == '0') text = text.Left(n - 1) + WideString("5");
    if (!CheckAnswer(text)) {
        App.TypedPinyin[row] = WideString();
        ShowEntry(row, 1);
        return 1;
    }
    if (n >= 2 && text[n - 1] == '5') text = text.Left(n - 1);  // neutral tone: the bare syllable

    const bool right = text == reading->first;
    App.RowCorrect[row] = right ? 1 : 0;
    ++App.ActiveRow;
    ShowEntry(App.ActiveRow - 1, 1);

    if (right) {
        if (App.ActiveRow != App.ReadingCount) {
            ShowEntry(App.ActiveRow, 0);
            return 1;
        }
        if (!StoreResult(true)) {
            LogStep(StepStoreRightFailed);
            return 0;
        }
    } else {
        if (!StoreResult(false)) {
            LogStep(StepStoreWrongFailed);
            return 0;
        }
        App.Answered = true;
        for (int later = App.ActiveRow; later < App.ReadingCount; ++later) ShowEntry(later, 1);
    }

    const double change = UpdateLevel();
    App.Answered = true;
    ShowLevelBar();
    ShowScales();
    ShowExamples();
    UpdateStatusBar();
    if (change != 0 && App.TrainingMode) ShowUpDown(change, 0);
    SpeakReadings();

    if (App.TrainingMode || App.AnswerCount < App.ExamQuestions)
        EnableCommand(IDM_NEXT, true);
    else
        SendCommand(IDM_END);  // the exam's last question: end it now, nested
    return 1;
}

int CheckAnswer(const WideString& text) {
    LogTrace("CheckAnswer");
    const std::size_t n = text.length();
    // Nothing that long is a syllable, and it would not fit the buffer.
    if (n >= CheckBufferUnits) return 0;
    std::uint16_t buffer[CheckBufferUnits] = {};
    for (std::size_t i = 0; i < n; ++i) buffer[i] = text[i];
    if (buffer[0] == '5') return 1;
    if (n > 0) buffer[n - 1] = 0;  // the tone digit

    const WideString syllable(buffer);
    StringList& list = App.SyllableList;
    list.cursor = list.head;
    for (StringNode* node = list.head; node != nullptr; node = list.Advance())
        if (node->text == syllable) return 1;
    return 0;
}
