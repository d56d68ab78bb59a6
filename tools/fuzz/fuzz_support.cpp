#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "data/program_state.h"
#include "data/seams.h"

namespace {
bool inFolder = false;

int AcceptEverything(const char*, const char*, int, int) { return AnswerYes; }
}  // namespace

void BeginFuzzInput() {
    if (!inFolder) {
        char pattern[] = "/tmp/lumora-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
        inFolder = true;
    }
    ResetProgramState();
    AskLearner = AcceptEverything;
    SavePauseMs = 0;
    std::remove("log.txt");
}

void WriteWhole(const char* name, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(name, "wb");
    if (file == nullptr) std::abort();
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

void WriteBundledPinyin() {
    static std::string syllables;
    if (syllables.empty()) {
        std::FILE* file = std::fopen(LUMORA_DATABASE_DIR "/pinyin", "rb");
        if (file == nullptr) std::abort();
        char buffer[4096];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) syllables.append(buffer, count);
        std::fclose(file);
    }
    WriteWhole("pinyin", reinterpret_cast<const std::uint8_t*>(syllables.data()), syllables.size());
}

int SplitInput(const std::uint8_t* data, std::size_t size, const std::uint8_t** parts,
               std::size_t* sizes, int count) {
    static const std::uint8_t separator[3] = {0xff, 0xfe, 0xfd};
    int found = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 3 <= size && found < count - 1; ++i) {
        if (std::memcmp(data + i, separator, 3) == 0) {
            parts[found] = data + start;
            sizes[found] = i - start;
            ++found;
            start = i + 3;
            i += 2;
        }
    }
    parts[found] = data + start;
    sizes[found] = size - start;
    ++found;
    for (int k = found; k < count; ++k) {
        parts[k] = data + size;
        sizes[k] = 0;
    }
    return found;
}
