// LoadWdsList over an arbitrary wtf file.
#include <cstdint>

#include "data/program_state.h"
#include "data/word_lists.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    WriteWhole("wtf", data, size);
    App.Files.Words = "wtf";
    LoadWdsList();
    return 0;
}
