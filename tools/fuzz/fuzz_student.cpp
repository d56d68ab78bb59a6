// LoadStudent over an arbitrary student.lumora (a fresh frequency list stands behind it).
#include <cstdint>
#include <cstring>

#include "data/learner.h"
#include "data/program_state.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    if (size & 1) {
        // Odd sizes: the input is the whole file, mostly short, to try the length check.
        WriteWhole("student.lumora", data, size);
    } else {
        // Even sizes: the input overlays the beginning of a full-size file, so that the
        // fuzzer reaches the queue and history past the stamp.
        static std::uint8_t file[564282];
        std::memset(file, 0, sizeof file);
        file[0] = 0xD4;
        file[1] = 0x07;
        std::memcpy(file, data, size < sizeof file ? size : sizeof file);
        WriteWhole("student.lumora", file, sizeof file);
    }
    for (int k = 0; k < FrequencyCount; ++k) {
        App.FreqList[k] = static_cast<CharCode>(0x4E00 + k);
        App.FreqRank[0x4E00 + k] = static_cast<std::uint16_t>(k + 1);
    }
    LoadStudent();
    return 0;
}
