// The check that the database fits together, against the trainer itself: a syllable list and one
// character record. When the check passes a record, the trainer must load its readings and judge
// each of them right when typed; when it refuses one, the trainer must never show a reading that
// could not be typed. Then the whole check over the five database files as LoadIndex runs it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/database.h"
#include "data/database_check.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/word_lists.h"
#include "engine/input.h"
#include "engine/selection.h"
#include "fuzz_support.h"

namespace {

// Whether every reading the trainer loaded is judged right when typed as a learner would type it.
bool EveryReadingCanBeAnswered() {
    for (const PairNode* node = App.ReadingList.head; node != nullptr; node = node->next) {
        std::string typed = NarrowString(node->pair.first).c_str();
        if (typed.empty() || typed.back() < '1' || typed.back() > '4') typed += '5';
        if (typed.size() > 7 || !CheckAnswer(WideString(typed.c_str()))) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    const std::uint8_t* parts[7];
    std::size_t sizes[7];
    SplitInput(data, size, parts, sizes, 7);
    WriteWhole("pinyin", parts[0], sizes[0]);
    if (!LoadPinyinList()) return 0;

    // One record at offset 2 of cif (offset 0 means none), for the first frequency-list character.
    FileBytes info(2, 0);
    info.insert(info.end(), parts[1], parts[1] + sizes[1]);
    WriteWhole("cif", info.data(), info.size());
    if (!App.InfoFile.Open("cif", "rb")) std::abort();
    App.InfoOffset[0x4E00] = 2;
    App.CharTable[0x4E00].QueuePos = 1;
    App.QueueLength = 1;
    App.QueuedCodes = FindQueuedCodes();
    App.TrainingMode = true;
    std::string reading;
    const FaultDetail detail = CheckRecordReadings(info, 2, SyllableSet(App.SyllableList), reading);
    const int set = SetCurrentChar();
    if (detail == FaultDetail::None && set && !EveryReadingCanBeAnswered()) std::abort();
    if ((detail == FaultDetail::EndsEarly || detail == FaultDetail::TooManyReadings) && set) std::abort();
    FreeMemory();

    // The five database files after the syllable list, as the start loads them.
    ResetProgramState();
    if (!LoadPinyinList()) std::abort();
    const char* names[5] = {"cbfcon", "cbf", "cifcon", "cif", "index"};
    for (int i = 0; i < 5; ++i) WriteWhole(names[i], parts[2 + i], sizes[2 + i]);
    if (LoadIndex()) {
        // A database that passed: every frequency-list character's readings can be answered.
        App.TrainingMode = true;
        for (int rank = 0; rank < FrequencyCount; rank += 97) {
            const CharCode code = App.FreqList[rank];
            App.CharTable[code].QueuePos = 1;
            App.QueueLength = 1;
            App.QueuedCodes = FindQueuedCodes();
            if (SetCurrentChar() && !EveryReadingCanBeAnswered()) std::abort();
            App.CharTable[code].QueuePos = 0;
        }
    }
    FreeMemory();
    return 0;
}
