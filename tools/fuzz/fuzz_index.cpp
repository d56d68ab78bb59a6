// LoadIndex over arbitrary cbfcon, cbf, cifcon, cif and index files, then every glyph lookup.
#include <cstdint>
#include <cstdio>

#include "data/database.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BeginFuzzInput();
    const std::uint8_t* parts[5];
    std::size_t sizes[5];
    SplitInput(data, size, parts, sizes, 5);
    const char* names[5] = {"cbfcon", "cbf", "cifcon", "cif", "index"};
    for (int i = 0; i < 5; ++i) WriteWhole(names[i], parts[i], sizes[i]);
    if (LoadIndex()) {
#ifdef LUMORA_FUZZ_SHOW_LOADS
        std::fprintf(stderr, "index loaded\n");
#endif
        std::uint8_t glyph[72];
        for (int k = 0; k < FrequencyCount; ++k) ReadGlyph(App.FreqList[k], glyph);
    }
    FreeMemory();
    return 0;
}
