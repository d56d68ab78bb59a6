// Moves in the learning queue and the choice of the next character with its readings and examples.
#include <algorithm>
#include <filesystem>
#include <set>
#include <vector>

#include "engine/selection.h"
#include "shell/log.h"
#include "tests/engine/engine_fixture.h"

TEST(Place, MovesTheCharacterAndShiftsTheOthersUsingOneDraw) {
    TestFolder folder;
    MakeQueue(6);  // P..U at 1..6
    SeedRandom(7);
    Place(0x5000, 5);  // any jitter of a target of 5 rounds to 0
    const std::vector<int> expected = {5, 1, 2, 3, 4, 6};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(App.CharTable[0x5000 + k].QueuePos, expected[k]) << k;
    EXPECT_EQ(DrawRandom(), DrawAfterSeed(7, 1));
}

TEST(Place, WrongAnswerTargetLandsAtNineToElevenByTheJitter) {
    std::set<int> seen;
    for (int r = -15; r <= 15; ++r) {
        TestFolder folder;
        MakeQueue(40);
        SeedRandom(SeedForJitter(r));
        Place(0x5000, 10);
        const int landed = App.CharTable[0x5000].QueuePos;
        EXPECT_EQ(landed, r <= -10 ? 9 : r >= 10 ? 11 : 10) << r;
        EXPECT_EQ(TestData(), 1);
        seen.insert(landed);
    }
    EXPECT_EQ(seen, (std::set<int>{9, 10, 11}));
}

TEST(Place, ClampsToFiveAndToTheQueueLength) {
    for (int r = -15; r <= 15; ++r) {
        TestFolder folder;
        MakeQueue(100);
        SeedRandom(SeedForJitter(r));
        Place(0x5000, 100);  // the end of the queue: within its last 15%, exactly there for r >= 0
        const int end = App.CharTable[0x5000].QueuePos;
        EXPECT_TRUE(r >= 0 ? end == 100 : end >= 85 && end < 100) << r << " " << end;
        Place(0x5001, 3);  // raised to 5 after the jitter
        EXPECT_EQ(App.CharTable[0x5001].QueuePos, 5);
        Place(0x5002, 48828125);  // 5^11
        EXPECT_EQ(App.CharTable[0x5002].QueuePos, 100);
        EXPECT_EQ(TestData(), 1);
    }
    TestFolder folder;
    MakeQueue(10);
    const std::uint32_t state = App.RandomState;
    Place(0x5000, 2);  // no jitter for 2 or less
    EXPECT_EQ(App.CharTable[0x5000].QueuePos, 5);
    Place(0x4000, 7);  // not queued: nothing moves, nothing is drawn
    EXPECT_EQ(App.CharTable[0x4000].QueuePos, 0);
    EXPECT_EQ(App.RandomState, state);
    EXPECT_EQ(TestData(), 1);
}

class Selection : public ::testing::Test {
protected:
    TestFolder folder;
    TestDatabase db;
};

TEST_F(Selection, TrainingTakesTheQueueHeadThatHasARecordAndReadings) {
    db.AddChar(0x4E00, {});                   // rank 1, no readings at all
    db.AddChar(0x4E01, {"", "  "});           // rank 2, texts without a reading
    db.AddChar(0x4E02, {"ma1 mother"});       // rank 3
    db.Write();
    LoadTestData();
    ASSERT_EQ(SetCurrentChar(), 1);
    EXPECT_EQ(App.CurrentChar, 0x4E02);
    EXPECT_EQ(App.ReadingCount, 1);
    EXPECT_EQ(Narrow(App.ReadingList.head->pair.first), "ma1");
    EXPECT_EQ(Narrow(App.ReadingList.head->pair.second), "mother");
    EXPECT_EQ(App.CharTable[0x4E00].QueuePos, 1);  // passed over, not moved

    // A queued code without a record loses even a tie it would win by its lower code.
    App.CharTable[0x3000].QueuePos = 3;
    ASSERT_EQ(SetCurrentChar(), 1);
    EXPECT_EQ(App.CurrentChar, 0x4E02);

    // Nothing else queued: no character can be asked.
    for (int code = 0; code < CodeCount; ++code)
        if (code != 0x4E00 && code != 0x4E01) App.CharTable[code].QueuePos = 0;
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(App.ReadingCount, 0);
    EXPECT_EQ(LogLines().back(), "924");
}

TEST_F(Selection, ShuffleTakesTwoDrawsPerReadingAndSkippedCharactersNone) {
    db.AddChar(0x4E00, {});
    db.AddChar(0x4E01, {"ma1 a", "ma2 b", "ma3 c"});
    db.Write();
    LoadTestData();
    for (std::uint32_t seed : {1u, 99u, 12345u}) {
        std::vector<std::string> order = {"ma1", "ma2", "ma3"};
        for (int k = 0; k < 3; ++k)
            std::swap(order[DrawAfterSeed(seed, 2 * k) % 3], order[DrawAfterSeed(seed, 2 * k + 1) % 3]);
        SeedRandom(seed);
        ASSERT_EQ(SetCurrentChar(), 1);
        std::vector<std::string> got;
        for (PairNode* node = App.ReadingList.head; node; node = node->next) got.push_back(Narrow(node->pair.first));
        EXPECT_EQ(got, order);
        EXPECT_EQ(DrawRandom(), DrawAfterSeed(seed, 6));
    }
    App.CharTable[0x4E01].QueuePos = 0;  // the head with readings is now a filler with one
    SeedRandom(5);
    ASSERT_EQ(SetCurrentChar(), 1);
    EXPECT_EQ(DrawRandom(), DrawAfterSeed(5, 2));
}

TEST_F(Selection, ExamDrawsOneValueModuloTheRangeAndRedrawsCharactersWithoutReadings) {
    db.AddChar(0x4E00, {});
    db.Write();
    LoadTestData();
    App.TrainingMode = false;
    App.ExamRange = 1000;
    SeedRandom(42);
    for (int q = 0; q < 300; ++q) {
        const std::uint32_t state = App.RandomState;
        ASSERT_EQ(SetCurrentChar(), 1);
        int index = 0;
        for (int n = 0; index == 0; ++n) index = DrawAfterSeed(state, n) % 1000;  // rank 1 is skipped
        EXPECT_EQ(App.CurrentChar, App.FreqList[index]);
        EXPECT_LE(App.FreqRank[App.CurrentChar], 1000);
    }
    App.ExamRange = 8000;
    int highest = 0;
    for (int q = 0; q < 300; ++q) {
        ASSERT_EQ(SetCurrentChar(), 1);
        highest = std::max<int>(highest, App.FreqRank[App.CurrentChar]);
    }
    EXPECT_GT(highest, 4000);
    App.ExamRange = 1;  // only the character without readings can come
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(LogLines().back(), "939");
}

TEST_F(Selection, ExamplesListEveryWordHoldingTheCharacterOnce) {
    db.AddChar(0x4E00, {"ma1 mother"});
    db.AddWord({0x4E00, 0x4E00}, "<ma1 ma> twice");
    db.AddWord({0x4E01, 0x4E02}, "<ni3 hao3> without");
    db.AddWord({0x4E01, 0x4E00}, "<ni3 ma1> at the end");
    db.Write();
    LoadTestData();
    ASSERT_EQ(SetCurrentChar(), 1);
    ASSERT_EQ(App.ExampleList.count, 2);
    EXPECT_EQ(Narrow(App.ExampleList.head->pair.second), "<ma1 ma> twice");
    EXPECT_EQ(Narrow(App.ExampleList.tail->pair.second), "<ni3 ma1> at the end");
}

TEST_F(Selection, DamagedRecordsFailAndStopTheProgramWithoutSaving) {
    db.AddChar(0x4E00, {"ma1 a", "ma2 b", "ma3 c", "ma4 d"});
    db.AddChar(0x4E01, {"ma1 mother"});
    db.Write();
    LoadTestData();
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(LogLines().back(), "938");

    // The second character's record cut inside its reading text.
    App.CharTable[0x4E00].QueuePos = 0;
    std::filesystem::resize_file("cif", App.InfoOffset[0x4E01] + 8);
    App.Answered = true;
    App.AnswerCount = 10;  // a space key would save here
    OnChar(' ');
    const std::vector<std::string> log = LogLines();
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()), (std::vector<std::string>{"937", "961"}));
    EXPECT_EQ(App.ReadingCount, 0);
    EXPECT_FALSE(std::filesystem::exists("student.lumora"));
    Type("ma1");  // no rows to type into
    EXPECT_EQ(App.TypedPinyin[0].length(), 0u);
}
