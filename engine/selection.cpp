// Choice of the next character, its readings and example words, and the moves in the learning queue.
#include "engine/selection.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "data/clock.h"
#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/random.h"
#include "data/scramble.h"
#include "data/seams.h"
#include "engine/drawing.h"
#include "engine/speech.h"
#include "engine/window.h"

namespace {

// Step codes of the selection.
constexpr int StepNoQueuedChar = 923;       // no queued character has a database record
constexpr int StepNoQueuedReading = 924;    // every queued character with a record has no reading
constexpr int StepNoInfoRecord = 933;       // the chosen character has no cif record
constexpr int StepRecordCutShort = 937;     // the cif record ends before its readings do
constexpr int StepTooManyReadings = 938;    // the record names 4 or more readings
constexpr int StepNoExamReading = 939;      // the exam draws found no character with a reading
constexpr int StepNextCharFailed = 961;     // PrepareNextChar could not set the next character

// Exam draws made before giving up on a range whose characters all lack readings.
constexpr int ExamDrawLimit = 100;

}  // namespace

int LoadReadings(std::uint32_t code) {
    App.ReadingList.Clear();
    if (App.InfoOffset[code] == 0) return -StepNoInfoRecord;
    std::FILE* file = App.InfoFile.get();
    if (file == nullptr || std::fseek(file, static_cast<long>(App.InfoOffset[code]), SEEK_SET) != 0)
        return -StepRecordCutShort;
    // Weight, other form and display flag are already in the tables.
    if (ReadU16(file) < 0 || ReadU16(file) < 0 || std::fgetc(file) == EOF) return -StepRecordCutShort;
    const int count = std::fgetc(file);
    if (count == EOF) return -StepRecordCutShort;
    if (count >= 4) return -StepTooManyReadings;

    for (int k = 0; k < count; ++k) {
        const int length = std::fgetc(file);
        char text[256];
        if (length == EOF ||
            std::fread(text, 1, static_cast<std::size_t>(length), file) != static_cast<std::size_t>(length)) {
            App.ReadingList.Clear();
            return -StepRecordCutShort;
        }
        text[length] = '\0';
        Scramble(text);
        char reading[256] = "";
        char meaning[256] = "";
        if (std::sscanf(text, "%255s %255[^\r]", reading, meaning) < 1) continue;
        App.ReadingList.Append(StringPair{WideString(reading), WideString(meaning)});
    }
    return App.ReadingList.count;
}

namespace {

// The head of the learning queue among the characters that have a record, its readings loaded:
// the smallest position, the lowest code on a tie. A character without readings can never be
// answered, so it is passed over. Returns the code, or 0 after its step code.
int ChooseTrainingChar(int& loaded) {
    std::int32_t best = 1000000;
    std::int32_t chosen = 0;
    const CodeSpan span = App.QueuedCodes;
    assert(span == FindQueuedCodes());
    for (int code = span.first; code < span.end; ++code) {
        const std::int32_t pos = App.CharTable[code].QueuePos;
        // Queued (pos != 0) and ahead of the best so far, in one comparison.
        if (static_cast<std::uint32_t>(pos - 1) < static_cast<std::uint32_t>(best - 1) && App.InfoOffset[code] != 0) {
            chosen = code;
            best = pos;
        }
    }
    if (chosen == 0) {
        LogStep(StepNoQueuedChar);
        return 0;
    }
    loaded = LoadReadings(static_cast<std::uint32_t>(chosen));
    if (loaded != 0) return chosen;

    // Rare: walk the whole queue in order for the first character that has readings.
    std::vector<std::pair<std::int32_t, std::int32_t>> queue;
    for (int code = span.first; code < span.end; ++code) {
        const std::int32_t pos = App.CharTable[code].QueuePos;
        if (pos != 0 && App.InfoOffset[code] != 0) queue.emplace_back(pos, code);
    }
    std::sort(queue.begin(), queue.end());
    for (const auto& entry : queue) {
        loaded = LoadReadings(static_cast<std::uint32_t>(entry.second));
        if (loaded != 0) return entry.second;
    }
    LogStep(StepNoQueuedReading);
    return 0;
}

// A random character from the first ExamRange entries of the frequency list (with replacement),
// its readings loaded; characters without readings are drawn again. Returns the code, or -1
// after its step code.
int ChooseExamChar(int& loaded) {
    const std::int32_t range = std::clamp(App.ExamRange, 0, FrequencyCount);
    for (int attempt = 0; attempt < ExamDrawLimit; ++attempt) {
        const int index = range != 0 ? DrawRandom() % range : 0;
        const std::int32_t code = App.FreqList[index];
        if (code >= CodeCount) {
            LogStep(StepNoInfoRecord);
            return -1;
        }
        loaded = LoadReadings(static_cast<std::uint32_t>(code));
        if (loaded != 0) return code;
        if (range == 0) break;
    }
    LogStep(StepNoExamReading);
    return -1;
}

// Shuffles ReadingList with two draws per reading: swap the pairs at (draw mod R) and (draw mod R).
void ShuffleReadings() {
    const int count = App.ReadingCount;
    if (count <= 0) return;
    StringPair pairs[3];
    int n = 0;
    for (PairNode* node = App.ReadingList.head; node != nullptr && n < 3; node = node->next)
        pairs[n++] = node->pair;
    for (int k = 0; k < count; ++k) {
        const int i = DrawRandom() % count;
        const int j = DrawRandom() % count;
        std::swap(pairs[i], pairs[j]);
    }
    App.ReadingList.Clear();
    for (int k = 0; k < count; ++k) App.ReadingList.Append(pairs[k]);
}

}  // namespace

void CollectExamples() {
    App.ExampleList.Clear();
    WordPairList& words = App.WordList;
    for (const WordNode* node : words.Holding(static_cast<std::uint16_t>(App.CurrentChar)))
        App.ExampleList.Append(node->Word(), node->Text());
    // The index stands for a walk of the whole list, which leaves the cursor on its last word.
    words.cursor = words.tail;
}

int SetCurrentChar() {
    LogTrace("SetCurrentChar");
    StopSpeaking();  // nothing of the old character goes on playing

    // The entry is reset first; on failure it stays empty with no rows, so nothing is ever typed
    // against a reading that isn't there.
    App.Answered = false;
    App.ActiveRow = 0;
    for (int row = 0; row < 3; ++row) {
        App.TypedPinyin[row] = WideString();
        App.RowCorrect[row] = 0;
    }
    App.ReadingList.Clear();
    App.ReadingCount = 0;

    int loaded = 0;
    if (App.TrainingMode) {
        App.CurrentChar = 0;
        const int code = ChooseTrainingChar(loaded);
        if (code == 0) return 0;
        App.CurrentChar = code;
    } else {
        const int code = ChooseExamChar(loaded);
        if (code < 0) return 0;
        App.CurrentChar = code;
    }
    if (loaded < 0) {
        LogStep(-loaded);
        return 0;
    }
    App.ReadingCount = App.ReadingList.count;
    ShuffleReadings();
    CollectExamples();
    return 1;
}

int TryPrepareNextChar() {
    LogTrace("PrepareNextChar");
    GetTime();  // reseeds the random generator before the choice
    App.Answered = false;
    if (!SetCurrentChar()) {
        // No character to ask means the database is damaged: the program stops, as it would at
        // start-up. Unlike a silent stop, the learner is told, and the answers given since the last
        // save are kept first when the records pass their consistency test (never otherwise).
        LogStep(StepNextCharFailed);
        const bool saved = TestData() && SaveDataWithoutPause();
        AskLearner(saved ? "Fatal error: the next character could not be read from the character database!\n\n"
                           "Your records were saved."
                         : "Fatal error: the next character could not be read from the character database!\n\n"
                           "Your records since the last save could not be saved.",
                   "Lumora", AskOk, 1);
        SendAbort(0);
        return 0;
    }
    ShowChar();
    ShowEntry(-1, 1);
    for (int row = 0; row < App.ReadingCount; ++row) ShowEntry(row, 1);
    UpdateStatusBar();
    EnableCommand(IDM_NEXT, false);
    ShowExamples();
    ShowUpDown(0, 1);
    return 1;
}

void PrepareNextChar() { TryPrepareNextChar(); }

void Place(std::uint32_t code, std::int32_t target) {
    LogTrace("Place");
    code &= 0xFFFF;
    if (code >= static_cast<std::uint32_t>(CodeCount)) return;
    const std::int32_t old = App.CharTable[code].QueuePos;
    // Placing a character that isn't queued would add a position without growing the queue.
    if (old == 0) return;

    std::int64_t moved = target;
    if (moved > 2) {
        const int r = DrawRandom() % 31 - 15;
        moved += r * moved / 100;
    }
    if (moved < 5) moved = 5;
    if (moved > App.QueueLength) moved = App.QueueLength;
    if (moved < 1) return;

    // The codes behind the old place move up one, then those from the new place on move back one.
    // Position 0 (not queued) is never above old nor at least moved, so it stays 0 and the span of
    // queued codes stays as it was.
    const int lowered = static_cast<int>(old);
    const int raised = static_cast<int>(moved);
    const CodeSpan span = App.QueuedCodes;
    assert(span == FindQueuedCodes());
    for (int other = span.first; other < span.end; ++other) {
        CharRecord& record = App.CharTable[other];
        int pos = record.QueuePos;
        pos -= pos > lowered;
        pos += pos >= raised;
        record.QueuePos = static_cast<std::uint16_t>(pos);
    }
    App.CharTable[code].QueuePos = static_cast<std::uint16_t>(moved);
}
