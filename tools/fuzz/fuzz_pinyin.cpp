// LoadPinyinList over an arbitrary pinyin file.
#include <cstdint>

#include "data/program_state.h"
#include "data/word_lists.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    WriteWhole("pinyin", data, size);
    App.Files.Pinyin = "pinyin";
    LoadPinyinList();
    return 0;
}
