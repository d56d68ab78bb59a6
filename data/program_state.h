// The one program-wide state object: every table, list, file and variable of the data and the engine.
// Constructed before the entry point runs and destroyed at process exit.
#pragma once
#include <cstdint>
#include "data/byte_io.h"
#include "data/char_table.h"
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

// Bits of DisplayOptions.
constexpr int CharsSimplified = 1;
constexpr int ExamplesSimplified = 2;

struct ProgramState {
    DataFileNames Files;

    // Character database, filled by LoadIndex.
    std::uint32_t GlyphOffset[CodeCount];
    std::uint32_t InfoOffset[CodeCount];
    CharCode OtherForm[65536];
    RecordTable CharTable;
    std::uint16_t FreqRank[65536];
    CharCode FreqList[FrequencyCount];
    ByteFile GlyphFile;  // "cbf", open from LoadIndex until FreeMemory
    ByteFile InfoFile;   // "cif", likewise

    // Learner records.
    std::int32_t QueueLength;
    ExamRecord ExamHistory[HistoryCount];  // entry 0 the newest

    // Lists.
    StringList SyllableList;
    WordPairList WordList;
    PairList ExampleList;
    PairList ReadingList;

    // Settings.
    std::int32_t DisplayOptions;
    std::int32_t ExamLevel;
    std::int32_t ExamLength;
    std::int32_t WindowPosX;
    std::int32_t WindowPosY;
    std::int32_t UpgradeFlag;
    Rect ClosingWindowRect;  // captured when the main window closes; (0, 0) until then

    // Engine state.
    bool TrainingMode;
    bool Answered;
    std::int32_t CurrentChar;
    std::int32_t ReadingCount;
    std::uint8_t ActiveRow;
    WideString TypedPinyin[3];
    std::int32_t RowCorrect[3];
    std::int32_t ExamRange;
    std::int32_t ExamQuestions;
    std::int32_t AnswerCount;
    std::int32_t ExamGood;
    std::int32_t KnownCount;
    double KnownMargin;
    double LearnedPercent;

    // The one pseudo-random generator's state.
    std::uint32_t RandomState;

    ProgramState();
};

extern ProgramState App;

// Names the nine data files, in the order the loading sequence assigns them. Until then every name
// is empty.
void NameDataFiles();

// Returns every member to its start value (tables zero, lists and strings empty, files closed,
// random state 1) with the data files named, so that a loader can run on its own. Used between
// tests; the program itself starts from the constructed object and names the files in LoadData.
void ResetProgramState();
