// Recording answers: the distances a character is sent back, the counter bound, and the statistics.
#include <cmath>

#include "engine/results.h"
#include "tests/engine/engine_fixture.h"

namespace {

struct RecordCase {
    int good, wrong;  // before the answer
    bool right;
    int landing;      // with no jitter
};

}  // namespace

TEST(StoreResult, SendsTheCharacterBackByItsNetRightAnswers) {
    const RecordCase cases[] = {
        {0, 0, true, 25},   {1, 0, true, 125},  {3, 2, true, 125},    {2, 0, true, 625},
        {0, 5, true, 25},   {11, 1, true, 8000}, {10, 1, true, 8000}, {30, 3, false, 10},
        {4096, 0, true, 8000},
    };
    for (const RecordCase& c : cases) {
        TestFolder folder;
        MakeQueue(8000);
        App.TrainingMode = true;
        App.CurrentChar = 0x5000;
        CharRecord& record = App.CharTable[0x5000];
        record.Good = static_cast<std::uint16_t>(c.good);
        record.Wrong = static_cast<std::uint16_t>(c.wrong);
        record.Streak = 3;
        SeedRandom(SeedForJitter(0));
        ASSERT_EQ(StoreResult(c.right), 1);
        EXPECT_EQ(record.QueuePos, c.landing) << c.good << "/" << c.wrong;
        EXPECT_EQ(record.Good, c.right ? std::min(c.good + 1, 4096) : c.good);
        EXPECT_EQ(record.Wrong, c.right ? c.wrong : c.wrong + 1);
        EXPECT_EQ(record.Streak, c.right ? 4 : 0);
    }
}

TEST(StoreResult, CountersStopAt4096AndExamAnswersTouchNoRecord) {
    TestFolder folder;
    MakeQueue(100);
    App.TrainingMode = true;
    App.CurrentChar = 0x5000;
    App.CharTable[0x5000].Wrong = 4096;
    App.CharTable[0x5000].Streak = 4096;
    ASSERT_EQ(StoreResult(false), 1);
    EXPECT_EQ(App.CharTable[0x5000].Wrong, 4096);

    App.TrainingMode = false;
    const CharRecord before = App.CharTable[0x5000];
    ASSERT_EQ(StoreResult(true), 1);
    ASSERT_EQ(StoreResult(false), 1);
    EXPECT_EQ(App.AnswerCount, 2);
    EXPECT_EQ(App.ExamGood, 1);
    EXPECT_EQ(App.CharTable[0x5000].QueuePos, before.QueuePos);
    EXPECT_EQ(App.CharTable[0x5000].Wrong, before.Wrong);
}

TEST(UpdateLevel, TrainingCountsKnownCharactersAndTheirWeightShare) {
    TestFolder folder;
    MakeQueue(4);
    App.TrainingMode = true;
    App.CharTable[0x5000].Weight = 3;
    App.CharTable[0x5000].Good = 2;
    App.CharTable[0x5001].Good = 1;
    App.CharTable[0x5001].Wrong = 1;  // not known: Good must exceed Wrong
    App.CharTable[0x4000].Good = 9;   // not queued: not counted
    EXPECT_EQ(UpdateLevel(), 1.0);
    EXPECT_EQ(App.KnownCount, 1);
    EXPECT_EQ(App.AnswerCount, 4);
    EXPECT_DOUBLE_EQ(App.LearnedPercent, 50.0);
    App.CharTable[0x5001].Wrong = 0;
    for (int k = 0; k < 4; ++k) App.CharTable[0x5000 + k].Good = 1;
    EXPECT_EQ(UpdateLevel(), 3.0);
    EXPECT_DOUBLE_EQ(App.LearnedPercent, 100.0);
    for (int k = 0; k < 4; ++k) App.CharTable[0x5000 + k].Weight = 0;
    UpdateLevel();
    EXPECT_EQ(App.LearnedPercent, 0.0);
}

TEST(UpdateLevel, ExamEstimateAndItsMargin) {
    struct Case { int range, asked, good, known; double margin; };
    const Case cases[] = {
        {1000, 50, 45, 900, 83.156}, {8000, 200, 100, 4000, 554.372}, {4000, 100, 60, 2400, 384.083},
        {1000, 50, 50, 1000, 0},     {4000, 100, 0, 0, 0},            {4000, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        App.TrainingMode = false;
        App.ExamRange = c.range;
        App.AnswerCount = c.asked;
        App.ExamGood = c.good;
        UpdateLevel();
        EXPECT_EQ(App.KnownCount, c.known);
        EXPECT_NEAR(App.KnownMargin, c.margin, 0.001) << c.asked << " " << c.good;
    }
}
