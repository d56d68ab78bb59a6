// Shared set-up of the engine tests: a loaded test database, typing, and a look at the random draws.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "data/database.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/random.h"
#include "data/seams.h"
#include "data/settings.h"
#include "data/word_lists.h"
#include "engine/input.h"
#include "engine/selection.h"
#include "tests/support/test_support.h"

// Writes the database into the current folder, less the last 'cifCut' bytes of cif, and loads it
// as the start-up does, with a fresh learner.
inline void LoadTestData(const TestDatabase& db, std::uintmax_t cifCut = 0) {
    db.Write();
    std::filesystem::resize_file("cif", std::filesystem::file_size("cif") - cifCut);
    App.Files = DataFileNames{"cbfcon", "cbf", "cifcon", "cif", "wtf", "index", "pinyin", "sf04", "student.lumora"};
    ASSERT_TRUE(LoadPinyinList() && LoadWdsList() && LoadIndex() && LoadSettings() && LoadStudent());
}

inline void Type(const std::string& keys) {
    for (unsigned char key : keys) OnChar(key);
}

// The n-th draw (from 0) the generator makes after seeding with 'seed'; its state is kept.
inline int DrawAfterSeed(std::uint32_t seed, int n) {
    const std::uint32_t kept = App.RandomState;
    SeedRandom(seed);
    int draw = 0;
    for (int k = 0; k <= n; ++k) draw = DrawRandom();
    App.RandomState = kept;
    return draw;
}

// A queue of 'length' characters at codes 0x5000 + k, position k + 1, weight 1 (no database).
inline void MakeQueue(int length) {
    for (int k = 0; k < length; ++k) App.CharTable[0x5000 + k] = {static_cast<std::uint16_t>(k + 1), 0, 0, 0, 1, 0};
    App.QueueLength = length;
    App.QueuedCodes = FindQueuedCodes();
}

// The last n lines of "log.txt", each followed by a blank.
inline std::string LastLog(std::size_t n) {
    const std::vector<std::string> log = LogLines();
    std::string tail;
    for (std::size_t k = log.size() - std::min(n, log.size()); k < log.size(); ++k) tail += log[k] + " ";
    return tail;
}
