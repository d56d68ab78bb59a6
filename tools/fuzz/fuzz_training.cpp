// One character record and a run of keys through selection and answer checking: the record is the
// only cif record, and every queued character points at it. After each key the learning queue must
// still pass its consistency test.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/learner.h"
#include "data/program_state.h"
#include "data/word_lists.h"
#include "engine/input.h"
#include "engine/selection.h"
#include "engine/window.h"
#include "fuzz_support.h"

namespace {

// Characters in the queue; all share the one record.
constexpr int Queued = 20;
// Keys per input: every answer walks the whole character table several times, so long runs of
// keys would slow the fuzzer to a crawl without reaching anything new.
constexpr std::size_t MaxKeys = 96;

bool Aborted = false;

void NoCommand(int, bool) {}
void NoSend(int) {}
void Abort(int) { Aborted = true; }
void Nothing() {}

const WindowServices Services = {NoCommand, NoSend, Abort, Nothing, Nothing, Nothing};

// The queue test over the queued characters only, cheap enough for every key; the whole table is
// tested once at the end of the input.
bool QueueHoldsItsCharacters() {
    bool seen[Queued + 1] = {};
    for (int k = 0; k < Queued; ++k) {
        const int pos = App.CharTable[0x4E00 + k].QueuePos;
        if (pos < 1 || pos > Queued || seen[pos]) return false;
        seen[pos] = true;
    }
    return App.QueueLength == Queued;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    const std::uint8_t* parts[2];
    std::size_t sizes[2];
    SplitInput(data, size, parts, sizes, 2);

    WriteBundledPinyin();
    if (!LoadPinyinList()) std::abort();
    // Offset 0 means "no record", so the record starts at 1.
    std::vector<std::uint8_t> info(1, 0);
    info.insert(info.end(), parts[0], parts[0] + sizes[0]);
    WriteWhole("cif", info.data(), info.size());
    if (!App.InfoFile.Open("cif", "rb")) std::abort();
    for (int k = 0; k < Queued; ++k) {
        App.InfoOffset[0x4E00 + k] = 1;
        App.CharTable[0x4E00 + k].QueuePos = static_cast<std::uint16_t>(k + 1);
        App.CharTable[0x4E00 + k].Weight = 1;
        App.FreqList[k] = static_cast<CharCode>(0x4E00 + k);
        App.FreqRank[0x4E00 + k] = static_cast<std::uint16_t>(k + 1);
    }
    App.QueueLength = Queued;
    App.QueuedCodes = FindQueuedCodes();
    App.TrainingMode = true;
    ConnectWindow(&Services);
    Aborted = false;

    if (SetCurrentChar()) {
        for (std::size_t i = 0; i < sizes[1] && i < MaxKeys && !Aborted; ++i) {
            OnChar(parts[1][i]);
            if (!QueueHoldsItsCharacters()) std::abort();
        }
        if (!TestData()) std::abort();
    }
    ConnectWindow(nullptr);
    FreeMemory();
    return 0;
}
