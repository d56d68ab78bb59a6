// Recording answers: the distances a character is sent back, the counter bound, and the statistics.
#include "engine/results.h"

#include <cmath>

#include "tests/engine/engine_fixture.h"

// A seed whose first draw gives Place the jitter r (-15..15).
static std::uint32_t SeedForJitter(int r) {
    std::uint32_t seed = 0;
    while (DrawAfterSeed(seed, 0) % 31 - 15 != r) ++seed;
    return seed;
}

TEST(StoreResult, SendsTheCharacterBackByItsNetRightAnswersAndOnlyCountsInAnExam) {
    struct Case { int good, wrong; bool right; int landing, jitter; };
    const Case cases[] = {
        {0, 0, true, 25, 0},  {1, 0, true, 125, 0},  {3, 2, true, 125, 0}, {2, 0, true, 625, 0},
        {0, 5, true, 25, 0},  {30, 3, false, 9, -15}, {30, 3, false, 10, 0}, {30, 3, false, 11, 15},
        {4096, 4096, false, 10, 0},
        // The end of the queue, moved back by a backward jitter; 5^11 stays beyond the end even then.
        {11, 1, true, 8000, 15}, {11, 1, true, 6800, -15}, {10, 1, true, 8000, -15}, {4096, 0, true, 6800, -15},
    };
    TestFolder folder;
    App.TrainingMode = true;
    App.CurrentChar = 0x5000;
    CharRecord& record = App.CharTable[0x5000];
    for (const Case& c : cases) {
        MakeQueue(8000);
        record = {1, static_cast<std::uint16_t>(c.good), static_cast<std::uint16_t>(c.wrong), 3, 1, 0};
        SeedRandom(SeedForJitter(c.jitter));
        ASSERT_EQ(StoreResult(c.right), 1);  // the queue stays whole
        EXPECT_EQ(record.QueuePos, c.landing) << c.good << "/" << c.wrong << " " << c.jitter;
        EXPECT_EQ(record.Good, c.right ? std::min(c.good + 1, 4096) : c.good);
        EXPECT_EQ(record.Wrong, c.right ? c.wrong : std::min(c.wrong + 1, 4096));
        EXPECT_EQ(record.Streak, c.right ? 4 : 0);
    }
    App.TrainingMode = false;
    ASSERT_EQ(StoreResult(true) + StoreResult(false), 2);
    EXPECT_EQ(App.AnswerCount, 2);
    EXPECT_EQ(App.ExamGood, 1);
    EXPECT_EQ(record.QueuePos, 6800);  // the record of the last case, untouched
    EXPECT_EQ(record.Good, 4096);
}

TEST(UpdateLevel, TrainingCountsQueuedAnswersAndTheWeightOfKnownCharacters) {
    TestFolder folder;
    MakeQueue(4);
    App.TrainingMode = true;
    App.CharTable[0x5000] = {1, 2, 0, 0, 3, 0};  // known, weight 3 of 6
    App.CharTable[0x5001].Good = App.CharTable[0x5001].Wrong = 1;  // not known
    App.CharTable[0x4000].Good = 9;  // not queued
    EXPECT_EQ(UpdateLevel(), 1.0);
    EXPECT_EQ(App.AnswerCount, 4);
    EXPECT_DOUBLE_EQ(App.LearnedPercent, 50.0);
    for (int k = 0; k < 4; ++k) App.CharTable[0x5000 + k].Weight = 0;
    UpdateLevel();
    EXPECT_EQ(App.LearnedPercent, 0.0);  // no weight at all: nothing learned, not a division by zero
}

// Between the edges the margin is the normal approximation, evaluated in its own order, so every
// figure and every stored value stays what earlier exams gave; a single answer already has a margin.
TEST(UpdateLevel, ExamMarginKeepsTheNormalApproximationBetweenTheEdges) {
    TestFolder folder;
    App.TrainingMode = false;
    App.AnswerCount = App.ExamGood = 0;
    App.ExamRange = 4000;
    UpdateLevel();
    EXPECT_EQ(App.KnownMargin, 0.0);  // nothing answered yet

    for (const int range : {1000, 4000, 8000}) {
        for (int n = 1; n <= 200; ++n) {
            for (int good = 0; good <= n; ++good) {
                App.ExamRange = range;
                App.AnswerCount = n;
                App.ExamGood = good;
                UpdateLevel();
                EXPECT_EQ(App.KnownCount, static_cast<int>(range * (static_cast<double>(good) / n)));
                if (good == 0 || good == n) {
                    EXPECT_DOUBLE_EQ(App.KnownMargin, range * (1 - std::pow(0.025, 1.0 / n)));
                } else {
                    const double former = 1.96 * std::sqrt(static_cast<double>(good * (n - good)) / n) / n * range;
                    ASSERT_EQ(App.KnownMargin, former) << good << " of " << n << " at " << range;
                }
            }
        }
    }
    App.ExamRange = 4000, App.AnswerCount = 100, App.ExamGood = 60;
    UpdateLevel();
    EXPECT_EQ(static_cast<int>(App.KnownMargin), 384);
    App.AnswerCount = 1, App.ExamGood = 1;
    UpdateLevel();
    EXPECT_EQ(static_cast<int>(App.KnownMargin), 3900);  // one right answer proves little
}
