// Recording answers: the distances a character is sent back, the counter bound, and the statistics.
#include "engine/results.h"
#include "tests/engine/engine_fixture.h"

TEST(StoreResult, SendsTheCharacterBackByItsNetRightAnswers) {
    struct Case { int good, wrong; bool right; int landing, jitter; };
    const Case cases[] = {
        {0, 0, true, 25, 0},  {1, 0, true, 125, 0},  {3, 2, true, 125, 0},    {2, 0, true, 625, 0},
        {0, 5, true, 25, 0},  {11, 1, true, 8000, 0}, {30, 3, false, 10, 0}, {4096, 4096, false, 10, 0},
        // 5^11 stays beyond the end even with the largest backward jitter; the end itself moves.
        {10, 1, true, 8000, -15}, {11, 1, true, 6800, -15}, {4096, 0, true, 6800, -15},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        MakeQueue(8000);
        App.CurrentChar = 0x5000;
        CharRecord& record = App.CharTable[0x5000];
        record = {1, static_cast<std::uint16_t>(c.good), static_cast<std::uint16_t>(c.wrong), 3, 1, 0};
        App.TrainingMode = true;
        SeedRandom(SeedForJitter(c.jitter));
        ASSERT_EQ(StoreResult(c.right), 1);
        EXPECT_EQ(record.QueuePos, c.landing) << c.good << "/" << c.wrong;
        EXPECT_EQ(record.Good, c.right ? std::min(c.good + 1, 4096) : c.good);
        EXPECT_EQ(record.Wrong, c.right ? c.wrong : std::min(c.wrong + 1, 4096));
        EXPECT_EQ(record.Streak, c.right ? 4 : 0);

        App.TrainingMode = false;  // an exam only counts
        ASSERT_EQ(StoreResult(true) + StoreResult(false), 2);
        EXPECT_EQ(App.AnswerCount, 2);
        EXPECT_EQ(App.ExamGood, 1);
        EXPECT_EQ(record.QueuePos, c.landing);
    }
}

TEST(UpdateLevel, TrainingShareAndExamEstimateWithItsMargin) {
    TestFolder folder;
    MakeQueue(4);
    App.TrainingMode = true;
    App.CharTable[0x5000] = {1, 2, 0, 0, 3, 0};  // known, weight 3 of 6
    App.CharTable[0x5001].Good = App.CharTable[0x5001].Wrong = 1;  // not known
    App.CharTable[0x4000].Good = 9;  // not queued
    EXPECT_EQ(UpdateLevel(), 1.0);
    EXPECT_EQ(App.AnswerCount, 4);
    EXPECT_DOUBLE_EQ(App.LearnedPercent, 50.0);
    for (int k = 0; k < 4; ++k) App.CharTable[0x5000 + k].Good = 5;
    EXPECT_EQ(UpdateLevel(), 3.0);
    EXPECT_DOUBLE_EQ(App.LearnedPercent, 100.0);
    for (int k = 0; k < 4; ++k) App.CharTable[0x5000 + k].Weight = 0;
    UpdateLevel();
    EXPECT_EQ(App.LearnedPercent, 0.0);

    struct Case { int range, asked, good, known; double margin; };
    const Case cases[] = {{1000, 50, 45, 900, 83.156}, {8000, 200, 100, 4000, 554.372}, {4000, 100, 60, 2400, 384.080},
                          {1000, 50, 50, 1000, 0},     {4000, 100, 0, 0, 0},            {4000, 0, 0, 0, 0}};
    App.TrainingMode = false;
    for (const Case& c : cases) {
        App.ExamRange = c.range;
        App.AnswerCount = c.asked;
        App.ExamGood = c.good;
        UpdateLevel();
        EXPECT_EQ(App.KnownCount, c.known);
        EXPECT_NEAR(App.KnownMargin, c.margin, 0.001) << c.asked << " " << c.good;
    }
}
