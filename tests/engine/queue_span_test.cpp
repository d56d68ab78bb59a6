// The passes over the learning queue visit only the span of queued codes: on random tables they
// must give what a walk over the whole table gives, and they must see codes written directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "data/learner.h"
#include "data/program_state.h"
#include "data/random.h"
#include "engine/results.h"
#include "engine/selection.h"
#include "tests/support/test_support.h"

namespace {

// The whole-table forms, as plain as they can be written.
struct Level {
    std::int32_t known = 0;
    std::int32_t answers = 0;
    double percent = 0;
};

Level WholeTableLevel(const std::vector<CharRecord>& table) {
    Level level;
    std::int64_t total = 0;
    for (const CharRecord& record : table) {
        if (record.QueuePos == 0) continue;
        total += record.Weight;
        if (record.Good > record.Wrong) {
            ++level.known;
            level.percent += record.Weight;
        }
        level.answers += record.Good + record.Wrong;
    }
    level.percent = total != 0 ? level.percent * 100 / static_cast<double>(total) : 0;
    return level;
}

void WholeTablePlace(std::vector<CharRecord>& table, std::uint32_t code, std::int64_t moved) {
    const std::int32_t old = table[code].QueuePos;
    for (CharRecord& record : table) {
        if (record.QueuePos > old) --record.QueuePos;
        if (record.QueuePos >= moved) ++record.QueuePos;
    }
    table[code].QueuePos = static_cast<std::uint16_t>(moved);
}

bool WholeTableTest(const std::vector<CharRecord>& table, std::int32_t queueLength) {
    long long sum = 0, count = 0;
    for (const CharRecord& record : table) {
        if (record.QueuePos > MaxQueuePos) return false;
        sum += record.QueuePos;
        count += record.QueuePos != 0;
    }
    return count * (count + 1) / 2 == sum && count == queueLength;
}

// The head among the queued codes with a record: smallest position, lowest code on a tie.
int WholeTableHead() {
    int head = 0;
    int best = 1000000;
    for (int code = 0; code < CodeCount; ++code) {
        const int pos = App.CharTable[code].QueuePos;
        if (pos != 0 && pos < best && App.InfoOffset[code] != 0) {
            head = code;
            best = pos;
        }
    }
    return head;
}

std::vector<CharRecord> Table() { return std::vector<CharRecord>(App.CharTable.begin(), App.CharTable.end()); }

// A queue of random length at random codes (the first and last code now and then), in random
// order, with random answers and weights; unqueued codes get answers and weights too, which no
// pass may count. Some codes have a database record.
void MakeRandomQueue(std::mt19937& random) {
    std::uniform_int_distribution<int> anyCode(0, CodeCount - 1);
    const int length = std::uniform_int_distribution<int>(1, 3000)(random);
    std::vector<int> codes;
    if (random() % 3 == 0) codes.push_back(0);
    if (random() % 3 == 0) codes.push_back(CodeCount - 1);
    // Mostly a cluster like a real character set, sometimes spread over the whole table.
    const int low = random() % 2 ? 0x4E00 : 0;
    const int high = low != 0 ? 0x9FFF : CodeCount - 1;
    while (static_cast<int>(codes.size()) < length) {
        const int code = std::uniform_int_distribution<int>(low, high)(random);
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    }
    std::shuffle(codes.begin(), codes.end(), random);
    for (int k = 0; k < 400; ++k) {
        CharRecord& record = App.CharTable[anyCode(random)];
        record.Good = static_cast<std::uint16_t>(random() % 30);
        record.Weight = static_cast<std::int32_t>(random() % 5000);
    }
    for (int k = 0; k < length; ++k) {
        CharRecord& record = App.CharTable[codes[k]];
        record.QueuePos = static_cast<std::uint16_t>(k + 1);
        record.Good = static_cast<std::uint16_t>(random() % 20);
        record.Wrong = static_cast<std::uint16_t>(random() % 20);
        record.Weight = static_cast<std::int32_t>(random() % 100000);
        if (random() % 4 != 0) App.InfoOffset[codes[k]] = 1;
    }
    App.QueueLength = length;
}

}  // namespace

TEST(QueueSpan, PassesOnRandomTablesMatchTheWholeTable) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        TestFolder folder;
        std::mt19937 random(seed);
        MakeRandomQueue(random);
        App.TrainingMode = true;

        std::vector<CharRecord> table = Table();
        const Level level = WholeTableLevel(table);
        UpdateLevel();
        EXPECT_EQ(App.KnownCount, level.known) << seed;
        EXPECT_EQ(App.AnswerCount, level.answers) << seed;
        EXPECT_EQ(App.LearnedPercent, level.percent) << seed;

        // A move of a random queued character, forward or back, with the draw Place will make.
        std::vector<int> queued;
        for (int code = 0; code < CodeCount; ++code)
            if (table[code].QueuePos != 0) queued.push_back(code);
        const int code = queued[random() % queued.size()];
        const std::int32_t target = 1 + static_cast<std::int32_t>(random() % (App.QueueLength + 20));
        SeedRandom(seed);
        std::int64_t moved = target;
        if (moved > 2) moved += (DrawRandom() % 31 - 15) * moved / 100;
        moved = std::min<std::int64_t>(std::max<std::int64_t>(moved, 5), App.QueueLength);
        if (moved >= 1) WholeTablePlace(table, static_cast<std::uint32_t>(code), moved);
        SeedRandom(seed);
        Place(static_cast<std::uint32_t>(code), target);
        EXPECT_TRUE(std::equal(table.begin(), table.end(), App.CharTable.begin(), [](const CharRecord& a, const CharRecord& b) {
            return a.QueuePos == b.QueuePos && a.Good == b.Good && a.Wrong == b.Wrong && a.Weight == b.Weight;
        })) << seed;
        EXPECT_EQ(TestData(), WholeTableTest(table, App.QueueLength) ? 1 : 0) << seed;

        // Damage of the kinds the test must notice: a position past the limit, a repeated one,
        // a queue length that no longer fits.
        CharRecord& damaged = App.CharTable[queued[random() % queued.size()]];
        switch (seed % 3) {
        case 0: damaged.QueuePos = MaxQueuePos + 1; break;
        case 1: damaged.QueuePos = App.CharTable[queued[0]].QueuePos; break;
        default: ++App.QueueLength; break;
        }
        table = Table();
        EXPECT_EQ(TestData(), WholeTableTest(table, App.QueueLength) ? 1 : 0) << seed;

        // The head with a record, ties among repeated positions to the lowest code.
        SetCurrentChar();
        EXPECT_EQ(App.CurrentChar, WholeTableHead()) << seed;
    }
}

TEST(QueueSpan, CodesQueuedDirectlyAfterAPassAreSeen) {
    TestFolder folder;
    App.TrainingMode = true;
    for (int k = 0; k < 3; ++k) {
        App.CharTable[0x5000 + k] = {static_cast<std::uint16_t>(k + 1), 1, 0, 0, 1, 0};
        App.InfoOffset[0x5000 + k] = 1;
    }
    App.QueueLength = 3;
    ASSERT_EQ(TestData(), 1);
    UpdateLevel();
    ASSERT_EQ(App.KnownCount, 3);

    // Queued at both ends of the table, far outside the span the passes last used.
    App.CharTable[0] = {4, 2, 0, 0, 1, 0};
    App.CharTable[CodeCount - 1] = {5, 2, 0, 0, 1, 0};
    EXPECT_EQ(TestData(), 0);  // the queue length says 3
    App.QueueLength = 5;
    EXPECT_EQ(TestData(), 1);
    UpdateLevel();
    EXPECT_EQ(App.KnownCount, 5);

    // The last one moves to the head and is asked next.
    App.InfoOffset[CodeCount - 1] = 1;
    SeedRandom(1);
    Place(CodeCount - 1, 1);  // clamped to 5: it stays last
    EXPECT_EQ(App.CharTable[CodeCount - 1].QueuePos, 5);
    for (int code : {0x5000, 0x5001, 0x5002, 0}) App.CharTable[code].QueuePos += 1;
    App.CharTable[CodeCount - 1].QueuePos = 1;
    SetCurrentChar();
    EXPECT_EQ(App.CurrentChar, CodeCount - 1);

    // A reset empties the queue; the passes then count nothing.
    ResetProgramState();
    App.TrainingMode = true;
    UpdateLevel();
    EXPECT_EQ(App.KnownCount, 0);
    EXPECT_EQ(TestData(), 1);
}
