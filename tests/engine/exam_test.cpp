// Exams taken by typing: the settings, the result and its history entry, ending early and quitting.
#include <cstdio>

#include "engine/exam.h"
#include "engine/results.h"
#include "engine/selection.h"
#include "tests/engine/engine_fixture.h"

namespace {

// The learner fields of every record, to show that an exam changes none of them.
std::vector<std::uint16_t> LearnerFields() {
    std::vector<std::uint16_t> fields;
    for (const CharRecord& r : App.CharTable)
        if (r.QueuePos || r.Good || r.Wrong || r.Streak) fields.insert(fields.end(), {r.QueuePos, r.Good, r.Wrong, r.Streak});
    return fields;
}

}  // namespace

class Exam : public ::testing::Test {
protected:
    TestFolder folder;
    int due = 0;

    void SetUp() override {
        TestDatabase db;  // only fillers, each read "ma1"
        db.Write();
        LoadTestData();
        ASSERT_EQ(SetCurrentChar(), 1);
        due = App.CurrentChar;
        SetLocalNow(2004, 1, 1);  // day 365
    }
    // Answers 'count' questions, the first 'right' of them right, moving on after each but the last.
    void Answer(int count, int right) {
        for (int q = 0; q < count; ++q) {
            Type(q < right ? "ma1" : "ma2");
            ASSERT_TRUE(App.Answered);
            if (q + 1 < count) OnChar(' ');
        }
    }
};

TEST_F(Exam, CompletedExamShowsTheEstimateAndStoresIt) {
    struct Case { int level, length, range, asked, right, known, margin, stored; };
    const Case cases[] = {
        {1, 1, 1000, 50, 45, 900, 83, 84},   {4, 4, 8000, 200, 100, 4000, 554, 555},
        {2, 2, 4000, 100, 60, 2400, 384, 385}, {1, 1, 1000, 50, 50, 1000, 0, 1},
        {7, 9, 4000, 200, 0, 0, 0, 1},
    };
    const std::vector<std::uint16_t> records = LearnerFields();
    for (const Case& c : cases) {
        App.ExamLevel = c.level;
        App.ExamLength = c.length;
        OnBeginExam();
        ASSERT_FALSE(App.TrainingMode);
        EXPECT_EQ(App.ExamRange, c.range);
        EXPECT_EQ(App.ExamQuestions, c.asked);
        EXPECT_EQ(App.CurrentChar, App.FreqList[DrawAfterSeed(static_cast<std::uint32_t>(NowSeconds()), 0) % c.range]);
        Answer(c.asked, c.right);
        OnEndExam();  // sent by the last answer in the program

        char text[128];
        std::snprintf(text, sizeof text, "At 95%% confidence level, you know\n\n  %d +/- %d\n\ncharacters.", c.known, c.margin);
        ASSERT_FALSE(AskedQuestions().empty());
        EXPECT_EQ(AskedQuestions().back().text, text);
        EXPECT_EQ(AskedQuestions().back().caption, "Exam result ...");
        const ExamRecord& entry = App.ExamHistory[0];
        EXPECT_EQ(entry.Known, c.known);
        EXPECT_EQ(entry.Margin, c.stored);
        EXPECT_EQ(entry.Day, 365);
        EXPECT_EQ(entry.Asked, c.asked);
        EXPECT_TRUE(App.TrainingMode);
        EXPECT_EQ(App.CurrentChar, due);
    }
    EXPECT_EQ(App.ExamHistory[4].Known, 900);
    EXPECT_EQ(LearnerFields(), records);
}

TEST_F(Exam, EndingEarlyAsksAndStoresNothing) {
    App.ExamLength = 1;
    OnBeginExam();
    Answer(10, 7);
    OnChar(' ');
    const int asked = App.CurrentChar;
    ScriptAnswers({AnswerNo, AnswerYes});
    OnEndExam();
    EXPECT_EQ(AskedQuestions().back().text, "Exam not finished. Are you sure?");
    EXPECT_EQ(AskedQuestions().back().caption, "End exam ...");
    EXPECT_EQ(AskedQuestions().back().buttons, AskYesNo);
    EXPECT_FALSE(App.TrainingMode);
    EXPECT_EQ(App.AnswerCount, 10);
    EXPECT_EQ(App.ExamGood, 7);
    EXPECT_EQ(App.CurrentChar, asked);

    OnEndExam();
    EXPECT_TRUE(App.TrainingMode);
    EXPECT_EQ(App.CurrentChar, due);
    EXPECT_EQ(App.ExamHistory[0].Day, 0);
    EXPECT_EQ(App.AnswerCount, 0);  // the training total again

    // Outside an exam there is nothing to end, even when the counts happen to agree.
    App.ExamQuestions = App.AnswerCount;
    OnEndExam();
    EXPECT_EQ(App.ExamHistory[0].Day, 0);
    EXPECT_EQ(AskedQuestions().size(), 2u);
}

TEST_F(Exam, QuittingAsksOnlyDuringAnExam) {
    EXPECT_EQ(OnQuit(), 1);
    EXPECT_TRUE(AskedQuestions().empty());
    OnBeginExam();
    ScriptAnswers({AnswerNo, AnswerYes});
    EXPECT_EQ(OnQuit(), 0);
    EXPECT_EQ(AskedQuestions().back().caption, "Quit ...");
    EXPECT_EQ(OnQuit(), 1);
    EXPECT_EQ(App.ExamHistory[0].Day, 0);
}

TEST_F(Exam, FullHistoryDropsTheOldestEntry) {
    for (int k = 0; k < HistoryCount; ++k) App.ExamHistory[k] = {static_cast<std::uint16_t>(k), 1, static_cast<std::uint16_t>(k + 1), 50};
    App.ExamLevel = 1;
    App.ExamLength = 1;
    OnBeginExam();
    App.AnswerCount = 50;
    App.ExamGood = 45;
    UpdateLevel();
    OnEndExam();
    EXPECT_EQ(App.ExamHistory[0].Known, 900);
    EXPECT_EQ(App.ExamHistory[1].Day, 1);
    EXPECT_EQ(App.ExamHistory[HistoryCount - 1].Day, HistoryCount - 1);
}
