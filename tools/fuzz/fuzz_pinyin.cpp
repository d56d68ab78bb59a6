// LoadPinyinList over an arbitrary pinyin file.
#include <cstdint>

#include "data/word_lists.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    WriteWhole("pinyin", data, size);
    LoadPinyinList();
    return 0;
}
