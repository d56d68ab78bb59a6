// Times each of the five start-up loaders, the example collection of a character change, saves
// and the release at exit, and prints the median of each over the runs.
//   build/tools/bench/bench_loading [runs] [run folder]
// With a run folder (e.g. build/run, with a learner file that has answers: see
// tools/bench/make_learner_file.py) its data files are loaded; without one, a made-up full-size
// database: 8000 frequent characters, 13,000 records and 40,000 words.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/database.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "data/settings.h"
#include "data/word_lists.h"
#include "engine/selection.h"
#include "tests/support/test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
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

// Copies the data files of a run folder into the current folder.
void CopyRunFolder(const std::filesystem::path& source) {
    namespace fs = std::filesystem;
    for (const char* name : {"cbfcon", "cbf", "cifcon", "cif", "index", "pinyin", "wtf", "sf04", "student.lumora"})
        if (fs::exists(source / name)) fs::copy_file(source / name, name, fs::copy_options::overwrite_existing);
}

struct Timing {
    const char* name;
    int (*run)();
    std::vector<double> ms;
};

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    if (runs < 1) runs = 1;
    const std::filesystem::path source = argc > 2 ? std::filesystem::absolute(argv[2]) : std::filesystem::path();
    TestFolder folder;
    if (source.empty())
        BuildFullDatabase();
    else
        CopyRunFolder(source);
    // The saves below must not change what later runs load.
    const std::vector<std::uint8_t> learner =
        std::filesystem::exists("student.lumora") ? ReadFileBytes("student.lumora") : std::vector<std::uint8_t>();

    Timing loaders[] = {{"LoadPinyinList", LoadPinyinList, {}}, {"LoadWdsList", LoadWdsList, {}},
                        {"LoadIndex", LoadIndex, {}},           {"LoadSettings", LoadSettings, {}},
                        {"LoadStudent", LoadStudent, {}}};
    std::vector<double> all, examples, unchanged, saving, freeing;
    for (int run = 0; run < runs; ++run) {
        ResetProgramState();
        SavePauseMs = 0;
        if (!learner.empty()) WriteFileBytes("student.lumora", learner);
        double total = 0;
        for (Timing& loader : loaders) {
            const Clock::time_point start = Clock::now();
            const int ok = loader.run();
            const Clock::time_point end = Clock::now();
            if (!ok) {
                std::fprintf(stderr, "%s failed; see log.txt in %s\n", loader.name, folder.path().c_str());
                return 1;
            }
            loader.ms.push_back(Milliseconds(start, end));
            total += Milliseconds(start, end);
        }
        all.push_back(total);

        // The example words of the 200 most frequent characters, one character change each.
        const Clock::time_point collect = Clock::now();
        for (int k = 0; k < 200; ++k) {
            App.CurrentChar = App.FreqList[k];
            CollectExamples();
        }
        examples.push_back(Milliseconds(collect, Clock::now()) / 200);

        // A save with nothing new (the files already hold it), then one after an answer, which
        // writes and syncs the learner file.
        const Clock::time_point unchangedSave = Clock::now();
        SaveData();
        unchanged.push_back(Milliseconds(unchangedSave, Clock::now()));
        ++App.CharTable[App.FreqList[0]].Good;
        const Clock::time_point save = Clock::now();
        SaveData();
        saving.push_back(Milliseconds(save, Clock::now()));
        const Clock::time_point release = Clock::now();
        FreeMemory();
        ResetProgramState();  // what the end of the process releases, and a fresh state
        freeing.push_back(Milliseconds(release, Clock::now()));
    }
    std::printf("runs: %d on %s\n", runs, source.empty() ? "a made-up database" : source.c_str());
    for (const Timing& loader : loaders) std::printf("  %-15s median %7.3f ms\n", loader.name, Median(loader.ms));
    std::printf("all five loaders: median %.3f ms\n", Median(all));
    std::printf("example words of one character: median %.4f ms\n", Median(examples));
    std::printf("SaveData without its pause, nothing new: median %.3f ms\n", Median(unchanged));
    std::printf("SaveData without its pause, after an answer: median %.3f ms\n", Median(saving));
    std::printf("FreeMemory and the release of all state: median %.3f ms\n", Median(freeing));
    return 0;
}
