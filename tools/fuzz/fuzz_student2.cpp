// LoadStudent2 over an arbitrary student2.dat, on an upgrade start whose import is accepted.
#include <cstdint>

#include "data/learner.h"
#include "data/program_state.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    WriteWhole("student2.dat", data, size);
    App.UpgradeFlag = 1;
    LoadStudent2();
    return 0;
}
