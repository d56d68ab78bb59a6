// Moves in the learning queue and the choice of the next character with its readings and examples.
#include <filesystem>
#include <set>

#include "tests/engine/engine_fixture.h"

TEST(Place, MovesClampsAndJittersTheTarget) {
    {
        TestFolder folder;
        MakeQueue(6);  // P..U at 1..6; any jitter of 5 rounds to nothing
        SeedRandom(7);
        Place(0x5000, 5);
        const int expected[] = {5, 1, 2, 3, 4, 6};
        for (int k = 0; k < 6; ++k) EXPECT_EQ(App.CharTable[0x5000 + k].QueuePos, expected[k]);
        EXPECT_EQ(DrawRandom(), DrawAfterSeed(7, 1));  // one draw taken
        const std::uint32_t state = App.RandomState;
        Place(0x5001, 2);  // no jitter at 2 or less, raised to 5
        Place(0x4000, 7);  // not queued: nothing moves
        EXPECT_EQ(App.CharTable[0x5001].QueuePos, 5);
        EXPECT_EQ(App.CharTable[0x4000].QueuePos, 0);
        EXPECT_EQ(App.RandomState, state);
    }
    std::set<int> wrongLandings;
    for (int r = -15; r <= 15; ++r) {
        TestFolder folder;
        MakeQueue(100);
        SeedRandom(SeedForJitter(r));
        Place(0x5000, 10);  // a wrong answer
        wrongLandings.insert(App.CharTable[0x5000].QueuePos);
        SeedRandom(SeedForJitter(r));
        Place(0x5001, 100);  // the end: within its last 15%, exactly there for r >= 0
        const int end = App.CharTable[0x5001].QueuePos;
        EXPECT_TRUE(r >= 0 ? end == 100 : end >= 85 && end < 100) << r;
        Place(0x5002, 3);
        EXPECT_EQ(App.CharTable[0x5002].QueuePos, 5);
        EXPECT_EQ(TestData(), 1);
    }
    EXPECT_EQ(wrongLandings, (std::set<int>{9, 10, 11}));
}

TEST(SetCurrentChar, TrainingTakesTheQueueHeadThatHasARecordAndReadings) {
    TestFolder folder;
    TestDatabase db;
    db.AddChar(0x4E00, {});            // rank 1, no readings
    db.AddChar(0x4E01, {"", "  "});    // rank 2, texts without a reading
    db.AddChar(0x4E02, {"ma1 mother"});
    LoadTestData(db);
    App.CharTable[0x3000].QueuePos = 3;  // no record; would win the tie at 3 by its lower code
    ASSERT_EQ(SetCurrentChar(), 1);
    EXPECT_EQ(App.CurrentChar, 0x4E02);
    EXPECT_EQ(Narrow(App.ReadingList.head->pair.first) + "|" + Narrow(App.ReadingList.head->pair.second), "ma1|mother");

    App.CharTable[0x4E00].QueuePos = App.CharTable[0x4E01].QueuePos = 0;
    App.CharTable[0x5000].QueuePos = 3;  // a filler on the same position: the lower code wins
    ASSERT_EQ(SetCurrentChar(), 1);
    EXPECT_EQ(App.CurrentChar, 0x4E02);

    for (CharRecord& record : App.CharTable) record.QueuePos = 0;
    App.CharTable[0x4E00].QueuePos = 1;
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(App.ReadingCount, 0);
    EXPECT_EQ(LastLog(1), "924 ");
}

TEST(SetCurrentChar, ShufflesWithTwoDrawsPerReadingAndListsExamples) {
    TestFolder folder;
    TestDatabase db;
    db.AddChar(0x4E00, {});  // passed over without a draw
    db.AddChar(0x4E01, {"ma1 a", "ma2 b", "ma3 c"});
    db.AddWord({0x4E01, 0x4E01}, "<ma1 ma1> twice");
    db.AddWord({0x4E02, 0x4E03}, "<ni3 hao3> without");
    db.AddWord({0x4E02, 0x4E01}, "<ni3 ma1> at the end");
    LoadTestData(db);
    for (std::uint32_t seed : {1u, 99u, 12345u}) {
        std::string order[3] = {"ma1", "ma2", "ma3"};
        for (int k = 0; k < 3; ++k) std::swap(order[DrawAfterSeed(seed, 2 * k) % 3], order[DrawAfterSeed(seed, 2 * k + 1) % 3]);
        SeedRandom(seed);
        ASSERT_EQ(SetCurrentChar(), 1);
        EXPECT_EQ(Narrow(App.ReadingList.head->pair.first) + Narrow(App.ReadingList.head->next->pair.first) +
                      Narrow(App.ReadingList.tail->pair.first),
                  order[0] + order[1] + order[2]);
        EXPECT_EQ(DrawRandom(), DrawAfterSeed(seed, 6));
    }
    ASSERT_EQ(App.ExampleList.count, 2);
    EXPECT_EQ(Narrow(App.ExampleList.head->pair.second) + "|" + Narrow(App.ExampleList.tail->pair.second),
              "<ma1 ma1> twice|<ni3 ma1> at the end");
    App.CharTable[0x4E01].QueuePos = 0;  // the head with readings is now a filler with one
    SeedRandom(5);
    ASSERT_EQ(SetCurrentChar(), 1);
    EXPECT_EQ(DrawRandom(), DrawAfterSeed(5, 2));
}

TEST(SetCurrentChar, ExamDrawsModuloTheRangeAndPassesOverCharactersWithoutReadings) {
    TestFolder folder;
    TestDatabase db;
    db.AddChar(0x4E00, {});
    LoadTestData(db);
    App.TrainingMode = false;
    for (int range : {1000, 8000}) {
        App.ExamRange = range;
        for (int q = 0; q < 300; ++q) {
            const std::uint32_t state = App.RandomState;
            ASSERT_EQ(SetCurrentChar(), 1);
            int index = 0;
            for (int n = 0; index == 0; ++n) index = DrawAfterSeed(state, n) % range;
            EXPECT_EQ(App.CurrentChar, App.FreqList[index]);
        }
    }
    App.ExamRange = 1;  // only the character without readings can come
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(LastLog(1), "939 ");
}

TEST(SetCurrentChar, DamagedRecordsFailAndStopTheProgramWithoutSaving) {
    TestFolder folder;
    TestDatabase db;
    db.AddChar(0x4E00, {"ma1 a", "ma2 b", "ma3 c", "ma4 d"});
    db.AddUnrankedChar(0x3400, {"ma1 mother"});  // the last record in cif, cut inside its text
    db.Write();
    std::filesystem::resize_file("cif", std::filesystem::file_size("cif") - 9);
    LoadWrittenData();
    EXPECT_EQ(SetCurrentChar(), 0);
    EXPECT_EQ(LastLog(1), "938 ");

    App.CharTable[0x4E00].QueuePos = 0;
    App.CharTable[0x3400].QueuePos = 1;
    App.Answered = true;
    App.AnswerCount = 10;  // a space key would save here
    OnChar(' ');
    EXPECT_EQ(LastLog(2), "937 961 ");
    EXPECT_FALSE(std::filesystem::exists("student.lumora"));
    Type("ma1");  // no rows to type into
    EXPECT_EQ(App.TypedPinyin[0].length(), 0u);
}
