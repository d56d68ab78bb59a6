// Typing into the entry rows, the answer check, the periodic save and the stop on a broken queue.
#include <filesystem>

#include "engine/selection.h"
#include "tests/engine/engine_fixture.h"

class Typing : public ::testing::Test {
protected:
    TestFolder folder;
    TestDatabase db;

    // Loads a database whose most frequent character has the given readings and makes it current.
    void Ask(std::vector<std::string> readings) {
        db.ranked.insert(db.ranked.begin(), TestChar{});
        db.ranked.front().code = 0x4E00;
        db.ranked.front().readings = std::move(readings);
        db.Write();
        LoadTestData();
        ASSERT_EQ(SetCurrentChar(), 1);
        ASSERT_EQ(App.CurrentChar, 0x4E00);
    }
    std::string Row(int k) const { return Narrow(App.TypedPinyin[k]); }
    const CharRecord& Record() const { return App.CharTable[0x4E00]; }
};

TEST_F(Typing, ToneDigitDecidesTheRow) {
    Ask({"ma1 mother"});
    Type("ma1");
    EXPECT_TRUE(App.Answered);
    EXPECT_EQ(App.RowCorrect[0], 1);
    EXPECT_EQ(Record().Good, 1);
    EXPECT_NE(Record().QueuePos, 1);  // sent back into the queue
}

TEST_F(Typing, WrongToneIsAWrongAnswer) {
    Ask({"ma1 mother"});
    Type("ma3");
    EXPECT_TRUE(App.Answered);
    EXPECT_EQ(App.RowCorrect[0], 0);
    EXPECT_EQ(Record().Wrong, 1);
    EXPECT_EQ(Row(0), "ma3");
}

TEST_F(Typing, NeutralToneIsTypedWithFiveOrZero) {
    db.AddChar(0x4E01, {"de particle"});  // rank 2, asked after the first
    Ask({"le particle"});
    Type("le0");
    EXPECT_EQ(App.RowCorrect[0], 1);
    EXPECT_EQ(Row(0), "le0");  // the typed 0 stays on screen
    OnChar(' ');
    ASSERT_EQ(App.CurrentChar, 0x4E01);
    Type("de5");
    EXPECT_EQ(App.RowCorrect[0], 1);
    EXPECT_EQ(App.CharTable[0x4E01].Good, 1);
}

TEST_F(Typing, UnknownSyllableEmptiesTheRowAndRecordsNothing) {
    Ask({"ma1 mother"});
    for (const char* typed : {"xyz2", "1", "mb4"}) {
        Type(typed);
        EXPECT_EQ(Row(0), "") << typed;
        EXPECT_FALSE(App.Answered);
        EXPECT_EQ(App.ActiveRow, 0);
    }
    EXPECT_EQ(Record().Good + Record().Wrong, 0);
    EXPECT_EQ(Record().QueuePos, 1);
}

TEST_F(Typing, FirstWrongRowDecidesACharacterWithThreeReadings) {
    Ask({"ma1 mother", "ma2 hemp", "ma3 horse"});
    const std::string first = Narrow(App.ReadingList.head->pair.first);
    Type(first);
    EXPECT_EQ(App.ActiveRow, 1);
    EXPECT_FALSE(App.Answered);
    Type(first);  // a reading of another row
    EXPECT_TRUE(App.Answered);
    EXPECT_EQ(App.ActiveRow, 2);
    EXPECT_EQ(App.RowCorrect[0], 1);
    EXPECT_EQ(App.RowCorrect[1], 0);
    EXPECT_EQ(Row(2), "");  // never asked
    EXPECT_EQ(Record().Wrong, 1);
    EXPECT_EQ(Record().Good, 0);
}

TEST_F(Typing, OtherKeysChangeNothingAndRowsAreBounded) {
    Ask({"ma1 mother"});
    Type("MAZ6789.,;/ \b\r\x1b");  // capitals, digits 6 to 9, punctuation, space, control keys
    OnChar(0x4E00);
    OnChar(0x110000);
    EXPECT_EQ(Row(0), "");
    Type("mab");
    OnChar(8);
    EXPECT_EQ(Row(0), "ma");
    Type("chuangqwerty");  // six letters at most
    EXPECT_EQ(Row(0), "machua");
    Type("ng");
    EXPECT_EQ(Row(0), "machua");
    Type("4");  // the digit still completes the row, which is no syllable
    EXPECT_EQ(Row(0), "");
    EXPECT_EQ(CheckAnswer(WideString("zhuangzhuangzhuangzhuang1")), 0);
    EXPECT_EQ(CheckAnswer(WideString("zhong1")), 1);
    EXPECT_EQ(CheckAnswer(WideString("5")), 1);

    Type("ma1");
    const CharRecord before = Record();
    Type("ma1");  // answered: only space counts
    OnChar(8);
    EXPECT_EQ(Row(0), "ma1");
    EXPECT_EQ(Record().Good, before.Good);
}

TEST_F(Typing, SpaceSavesAtTenModuloFiftyAnswersAndNextNeverDoes) {
    Ask({"ma1 mother"});
    for (int total : {9, 10, 11, 60, 110}) {
        std::filesystem::remove("student.lumora");
        for (CharRecord& record : App.CharTable) record.Good = record.Wrong = 0;
        App.CharTable[App.FreqList[7999]].Good = static_cast<std::uint16_t>(total - 1);
        ASSERT_EQ(SetCurrentChar(), 1);
        Type(Narrow(App.ReadingList.head->pair.first));
        ASSERT_EQ(App.AnswerCount, total);
        PrepareNextChar();  // the Next command
        EXPECT_FALSE(std::filesystem::exists("student.lumora")) << total;
        App.Answered = true;
        OnChar(' ');
        EXPECT_EQ(std::filesystem::exists("student.lumora"), total % 50 == 10) << total;
    }
    EXPECT_EQ(ReadFileBytes("student.lumora").size(), static_cast<std::size_t>(LearnerFileSize));
}

TEST_F(Typing, InconsistentQueueStopsWithoutWritingTheLearnerFile) {
    Ask({"ma1 mother"});
    App.CharTable[App.FreqList[7999]].Good = 9;  // the answer makes 10: a space would save
    App.QueueLength += 1;
    Type("ma1");
    const std::vector<std::string> log = LogLines();
    EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()),
              (std::vector<std::string>{"370", "1001", "2454", "2867"}));
    EXPECT_FALSE(App.Answered);
    OnChar(' ');
    EXPECT_FALSE(std::filesystem::exists("student.lumora"));
}

TEST_F(Typing, ExamAnswersOnlyCount) {
    Ask({"ma1 mother"});
    App.TrainingMode = false;
    App.ExamQuestions = 50;
    const CharRecord before = Record();
    Type("ma1");
    EXPECT_EQ(App.AnswerCount, 1);
    EXPECT_EQ(App.ExamGood, 1);
    EXPECT_EQ(Record().QueuePos, before.QueuePos);
    EXPECT_EQ(Record().Good, before.Good);
}
