// The one program-wide state object: every table, list, file and variable of the data and the engine.
// Constructed before the entry point runs and destroyed at process exit.
#pragma once
#include <cstdint>
#include "data/byte_io.h"
#include "data/lists.h"
#include "data/strings.h"
#include "data/types.h"

struct DataFileNames {
    NarrowString GlyphIndex;   // "cbfcon"
    NarrowString Glyphs;       // "cbf"
    NarrowString InfoIndex;    // "cifcon"
    NarrowString Info;         // "cif"
    NarrowString Words;        // "wtf"
    NarrowString Frequency;    // "index"
    NarrowString Pinyin;       // "pinyin"
    NarrowString Settings;     // "sf04"
    NarrowString Learner;      // "student.lumora"
};

// Codes first <= code < end.
struct CodeSpan {
    int first = 0;
    int end = 0;
    bool operator==(const CodeSpan&) const = default;
};

// Bits of DisplayOptions.
constexpr int CharsSimplified = 1;
constexpr int ExamplesSimplified = 2;

// Every member starts at zero, empty or closed, except the random state. The tables carry no
// initialiser on purpose: the one object lives in static storage, which starts zeroed, and a
// constructor that wrote those zeros again would make all their pages resident (about 1.8 MB)
// where loading fills only the part the database uses. ResetProgramState value-initialises the
// whole object instead, which zeroes the tables too.
struct ProgramState {
    DataFileNames Files;

    // Character database, filled by LoadIndex.
    std::uint32_t GlyphOffset[CodeCount];
    std::uint32_t InfoOffset[CodeCount];
    CharCode OtherForm[65536];
    CharRecord CharTable[CodeCount];
    std::uint16_t FreqRank[65536];
    CharCode FreqList[FrequencyCount];
    ByteFile GlyphFile;  // "cbf", open from LoadIndex until FreeMemory
    ByteFile InfoFile;   // "cif", likewise

    // Learner records.
    std::int32_t QueueLength = 0;
    // The smallest span of codes that holds every queued character, so that the passes over the
    // queue need not visit the whole table. LoadStudent sets it from a scan (FindQueuedCodes)
    // once the records are in; the queue's own moves (Place, the hidden commands) only reorder
    // queued codes and keep it. Debug and sanitizer builds compare it with a new scan in every
    // pass that relies on it.
    CodeSpan QueuedCodes;
    ExamRecord ExamHistory[HistoryCount];  // entry 0 the newest

    // Lists.
    StringList SyllableList;
    WordPairList WordList;
    PairList ExampleList;
    PairList ReadingList;

    // Settings.
    std::int32_t DisplayOptions = 0;
    std::int32_t ExamLevel = 0;
    std::int32_t ExamLength = 0;
    std::int32_t WindowPosX = 0;
    std::int32_t WindowPosY = 0;
    std::int32_t UpgradeFlag = 0;
    Rect ClosingWindowRect = {0, 0, 0, 0};  // captured when the main window closes; (0, 0) until then

    // Engine state.
    bool TrainingMode = false;
    bool Answered = false;
    std::int32_t CurrentChar = 0;
    std::int32_t ReadingCount = 0;
    std::uint8_t ActiveRow = 0;
    WideString TypedPinyin[3];
    std::int32_t RowCorrect[3] = {};
    std::int32_t ExamRange = 0;
    std::int32_t ExamQuestions = 0;
    std::int32_t AnswerCount = 0;
    std::int32_t ExamGood = 0;
    std::int32_t KnownCount = 0;
    double KnownMargin = 0.0;
    double LearnedPercent = 0.0;

    // The one pseudo-random generator's state.
    std::uint32_t RandomState = 1;
};

extern ProgramState App;

// Names the nine data files, in the order the loading sequence assigns them. Until then every name
// is empty.
void NameDataFiles();

// Returns every member to its start value (tables zero, lists and strings empty, files closed,
// random state 1) with the data files named, so that a loader can run on its own. Used between
// tests; the program itself starts from the constructed object and names the files in LoadData.
void ResetProgramState();
