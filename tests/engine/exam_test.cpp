// Exams taken by typing: ending early and quitting, the result and its history entry.
#include "engine/exam.h"
#include "tests/engine/engine_fixture.h"

// Answers 'count' questions, the first 'right' of them right, moving on after each.
static void Answer(int count, int right) {
    for (int q = 0; q < count; ++q) Type(q < right ? "ma1 " : "ma2 ");
}

TEST(Exam, AsksBeforeLeavingAnUnfinishedExamAndStoresEachCompletedOne) {
    TestFolder folder;
    LoadTestData(TestDatabase());  // only fillers, each read "ma1"
    ASSERT_EQ(SetCurrentChar(), 1);
    const int due = App.CurrentChar;
    App.CharTable[due].Good = 3;
    SetLocalNow(2004, 1, 1);  // day 365
    EXPECT_EQ(OnQuit(), 1);   // no question in training

    OnBeginExam();
    Answer(10, 7);
    const int asked = App.CurrentChar;
    ScriptAnswers({AnswerNo, AnswerNo, 2 /* the box closed */, AnswerYes});
    EXPECT_EQ(OnQuit(), 0);
    OnEndExam();
    EXPECT_EQ(AskedQuestions()[0].caption + "|" + AskedQuestions()[1].caption, "Quit ...|End exam ...");
    EXPECT_FALSE(App.TrainingMode);
    EXPECT_EQ(App.CurrentChar, asked);

    EXPECT_EQ(OnQuit(), 1);  // a closed box quits; Yes ends the exam, storing nothing
    OnEndExam();
    EXPECT_TRUE(App.TrainingMode);
    EXPECT_EQ(App.CurrentChar, due);
    App.ExamQuestions = App.AnswerCount;  // outside an exam nothing ends, even when the counts agree
    OnEndExam();
    EXPECT_EQ(AskedQuestions().size(), 4u);
    EXPECT_EQ(App.ExamHistory[0].Day, 0);

    struct Case { int level, length, range, asked, right, known, margin, stored; };
    const Case cases[] = {{1, 1, 1000, 50, 45, 900, 83, 84},     {4, 4, 8000, 200, 100, 4000, 554, 555},
                          {2, 2, 4000, 100, 60, 2400, 384, 385}, {1, 1, 1000, 50, 50, 1000, 71, 72},
                          {7, 9, 4000, 200, 0, 0, 73, 74}};
    for (int k = 0; k < HistoryCount; ++k) App.ExamHistory[k] = {1, 1, static_cast<std::uint16_t>(k + 1), 50};
    for (const Case& c : cases) {
        App.ExamLevel = c.level;
        App.ExamLength = c.length;
        OnBeginExam();
        EXPECT_EQ(App.CurrentChar, App.FreqList[DrawAfterSeed(static_cast<std::uint32_t>(NowSeconds()), 0) % c.range]);
        EXPECT_EQ(App.KnownMargin, 0.0);  // nothing answered yet
        Answer(c.asked, c.right);
        OnEndExam();  // sent by the last answer in the program

        EXPECT_EQ(AskedQuestions().back().text, "At 95% confidence level, you know\n\n  " + std::to_string(c.known) +
                                                    " +/- " + std::to_string(c.margin) + "\n\ncharacters.");
        const ExamRecord& entry = App.ExamHistory[0];
        EXPECT_EQ(std::vector<int>({entry.Known, entry.Margin, entry.Day, entry.Asked}),
                  std::vector<int>({c.known, c.stored, 365, c.asked}));
        EXPECT_EQ(App.CurrentChar, due);
        EXPECT_EQ(App.AnswerCount, 3);  // back in training, and no record counted an exam answer
    }
    // A full history drops its oldest entries.
    EXPECT_EQ(App.ExamHistory[4].Known, 900);
    EXPECT_EQ(App.ExamHistory[5].Day, 1);
    EXPECT_EQ(App.ExamHistory[HistoryCount - 1].Day, HistoryCount - 5);
}

// All right or all wrong is where a sample is least certain to be the whole truth: the margin is the
// exact 95% one there, never 0, while the estimate stays the share of right answers.
TEST(Exam, AllRightOrAllWrongNeverReadsAsCertain) {
    TestFolder folder;
    LoadTestData(TestDatabase());
    ASSERT_EQ(SetCurrentChar(), 1);
    SetLocalNow(2004, 1, 1);
    ScriptAnswers({});
    // Per level (R 1000, 4000, 8000) and length (50, 100, 200 questions): the shown margin, then the stored one.
    const int margins[3][3][2] = {{{71, 72}, {36, 37}, {18, 19}},
                                  {{284, 285}, {144, 145}, {73, 74}},
                                  {{568, 569}, {289, 290}, {146, 147}}};
    const int levels[3] = {1, 2, 4}, ranges[3] = {1000, 4000, 8000}, lengths[3] = {1, 2, 4}, asked[3] = {50, 100, 200};
    for (int l = 0; l < 3; ++l) {
        for (int q = 0; q < 3; ++q) {
            for (const bool right : {true, false}) {
                SCOPED_TRACE(std::to_string(ranges[l]) + " characters, " + std::to_string(asked[q]) +
                             (right ? " questions, all right" : " questions, all wrong"));
                App.ExamLevel = levels[l];
                App.ExamLength = lengths[q];
                OnBeginExam();
                for (int k = 0; k < asked[q]; ++k) {
                    Type(right ? "ma1 " : "ma2 ");
                    EXPECT_GT(App.KnownMargin, 0.0);
                }
                OnEndExam();  // sent by the last answer in the program
                const int known = right ? ranges[l] : 0;
                EXPECT_EQ(AskedQuestions().back().text, "At 95% confidence level, you know\n\n  " +
                                                            std::to_string(known) + " +/- " +
                                                            std::to_string(margins[l][q][0]) + "\n\ncharacters.");
                EXPECT_EQ(App.ExamHistory[0].Known, known);
                EXPECT_EQ(App.ExamHistory[0].Margin, margins[l][q][1]);
            }
        }
    }
}
