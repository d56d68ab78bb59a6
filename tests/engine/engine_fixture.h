// Shared set-up of the engine tests: a loaded test database, typing, and a look at the random draws.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "data/database.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "data/settings.h"
#include "data/word_lists.h"
#include "engine/input.h"
#include "engine/random.h"
#include "tests/support/test_support.h"

// Loads the database written in the current folder as the start-up does, with a fresh learner.
inline void LoadTestData() {
    App.Files.GlyphIndex = "cbfcon";
    App.Files.Glyphs = "cbf";
    App.Files.InfoIndex = "cifcon";
    App.Files.Info = "cif";
    App.Files.Words = "wtf";
    App.Files.Frequency = "index";
    App.Files.Pinyin = "pinyin";
    App.Files.Settings = "sf04";
    App.Files.Learner = "student.lumora";
    ASSERT_TRUE(LoadPinyinList() && LoadWdsList() && LoadIndex() && LoadSettings() && LoadStudent());
}

inline void Type(const std::string& keys) {
    for (unsigned char key : keys) OnChar(key);
}

// The n-th draw (from 0) the generator will make after seeding with 'seed'; the state is kept.
inline int DrawAfterSeed(std::uint32_t seed, int n) {
    const std::uint32_t kept = App.RandomState;
    SeedRandom(seed);
    int draw = 0;
    for (int k = 0; k <= n; ++k) draw = DrawRandom();
    App.RandomState = kept;
    return draw;
}

// A seed whose first draw gives Place the jitter r (-15..15).
inline std::uint32_t SeedForJitter(int r) {
    std::uint32_t seed = 0;
    while (DrawAfterSeed(seed, 0) % 31 - 15 != r) ++seed;
    return seed;
}

// A queue of 'length' characters at codes 0x5000 + k, position k + 1, weight 1.
inline void MakeQueue(int length) {
    for (int k = 0; k < length; ++k) {
        App.CharTable[0x5000 + k].QueuePos = static_cast<std::uint16_t>(k + 1);
        App.CharTable[0x5000 + k].Weight = 1;
    }
    App.QueueLength = length;
}

inline std::string Narrow(const WideString& text) { return NarrowString(text).c_str(); }
