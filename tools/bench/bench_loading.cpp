// Times the start-up loaders and a save on a full-size database: 8000 frequent characters,
// 13,000 records and 40,000 words. Prints the median of each over the runs.
//   build/tools/bench/bench_loading [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/database.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "data/settings.h"
#include "data/word_lists.h"
#include "tests/support/test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BuildFullDatabase() {
    TestDatabase db;
    db.SetSyllables({"ma", "ni", "hao", "de", "le", "shi", "zhong", "guo", "ren", "yi"});
    // 8000 ranked characters come from the writer's filler; 5000 more records beside them.
    for (int i = 0; i < 5000; ++i)
        db.AddUnrankedChar(static_cast<std::uint16_t>(0x9000 + i), {"shi4 a rarer character"});
    for (int i = 0; i < 40000; ++i) {
        std::uint16_t first = static_cast<std::uint16_t>(0x5000 + i % 8000);
        std::uint16_t second = static_cast<std::uint16_t>(0x5000 + (i * 7) % 8000);
        db.AddWord({first, second}, "<zhong1 guo2> an example word with a translation");
    }
    db.Write();
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    if (runs < 1) runs = 1;
    TestFolder folder;
    BuildFullDatabase();

    std::vector<double> loading, saving;
    for (int run = 0; run < runs; ++run) {
        ResetProgramState();
        SavePauseMs = 0;
        Clock::time_point start = Clock::now();
        int ok = LoadPinyinList() && LoadWdsList() && LoadIndex() && LoadSettings() && LoadStudent();
        Clock::time_point loaded = Clock::now();
        if (!ok) {
            std::fprintf(stderr, "loading failed; see log.txt\n");
            return 1;
        }
        SaveData();
        Clock::time_point saved = Clock::now();
        FreeMemory();
        loading.push_back(Milliseconds(start, loaded));
        saving.push_back(Milliseconds(loaded, saved));
    }
    std::printf("runs: %d (the first loads a fresh queue, later ones the saved learner file)\n", runs);
    std::printf("LoadPinyinList + LoadWdsList + LoadIndex + LoadSettings + LoadStudent: median %.2f ms\n",
                Median(loading));
    std::printf("SaveData without its pause: median %.2f ms\n", Median(saving));
    return 0;
}
