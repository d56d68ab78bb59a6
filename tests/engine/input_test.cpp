// Typing into the entry rows, the answer check, the periodic save and the stop on a broken queue.
#include <filesystem>

#include "tests/engine/engine_fixture.h"

namespace {

// Makes a character with these readings the current one, in a fresh folder's database.
struct Asked {
    TestFolder folder;
    explicit Asked(std::vector<std::string> readings) {
        TestDatabase db;
        db.AddChar(0x4E00, std::move(readings));
        LoadTestData(db);
        EXPECT_EQ(SetCurrentChar(), 1);
    }
    std::string Row(int k) const { return Narrow(App.TypedPinyin[k]); }
    const CharRecord& Record() const { return App.CharTable[0x4E00]; }
};

}  // namespace

TEST(Typing, ToneDigitDecidesEachRowAndTheFirstWrongRowTheCharacter) {
    struct Case { std::vector<std::string> readings; std::string typed; int rows, good, wrong; };
    const Case cases[] = {
        {{"ma1 mother"}, "ma1", 1, 1, 0},
        {{"ma1 mother"}, "ma3", 1, 0, 1},
        {{"de particle"}, "de5", 1, 1, 0},
        {{"de particle"}, "de0", 1, 1, 0},  // 0 is the neutral tone too, and stays on screen
        {{"ma1 a", "ma1 b", "ma1 c"}, "ma1ma1ma1", 3, 1, 0},
        {{"ma1 a", "ma2 b", "ma3 c"}, "ma4", 1, 0, 1},  // rows two and three are never asked
    };
    for (const Case& c : cases) {
        Asked ask(c.readings);
        Type(c.typed);
        EXPECT_TRUE(App.Answered) << c.typed;
        EXPECT_EQ(App.ActiveRow, c.rows) << c.typed;
        EXPECT_EQ(ask.Record().Good, c.good) << c.typed;
        EXPECT_EQ(ask.Record().Wrong, c.wrong) << c.typed;
        EXPECT_EQ(ask.Row(0), c.typed.substr(0, 3));
        EXPECT_EQ(App.RowCorrect[0], c.good);
    }
}

TEST(Typing, UnknownSyllablesOtherKeysAndOverlongRowsChangeNothing) {
    Asked ask({"ma1 mother"});
    Type("xyz2");  // no such syllable: the row empties
    Type("1");     // the empty syllable
    Type("MAZ6789.,;/ \b\r\x1b");  // capitals, digits 6 to 9, punctuation, space, control keys
    OnChar(0x4E00);
    EXPECT_EQ(ask.Row(0), "");
    Type("mab\b");
    EXPECT_EQ(ask.Row(0), "ma");
    Type("chuangqwerty");  // six letters at most
    EXPECT_EQ(ask.Row(0), "machua");
    Type("4");
    EXPECT_EQ(ask.Row(0), "");
    EXPECT_EQ(App.ActiveRow, 0);
    EXPECT_EQ(ask.Record().Good + ask.Record().Wrong, 0);  // nothing recorded, nothing moved
    EXPECT_EQ(ask.Record().QueuePos, 1);
    EXPECT_EQ(CheckAnswer(WideString("zhuangzhuangzhuangzhuang1")), 0);
    EXPECT_EQ(CheckAnswer(WideString("zhong1")), 1);

    Type("ma1ma2\b");  // answered: only space counts
    EXPECT_EQ(ask.Row(0), "ma1");
    EXPECT_EQ(ask.Record().Good + ask.Record().Wrong, 1);
}

TEST(Typing, SpaceSavesAtTenModuloFiftyAnswersAndNextNeverDoes) {
    Asked ask({"ma1 mother"});
    for (int total : {9, 10, 11, 60, 110}) {
        std::filesystem::remove("student.lumora");
        for (CharRecord& record : App.CharTable) record.Good = record.Wrong = 0;
        App.CharTable[App.FreqList[7999]].Good = static_cast<std::uint16_t>(total - 1);
        ASSERT_EQ(SetCurrentChar(), 1);
        Type("ma1");
        ASSERT_EQ(App.AnswerCount, total);
        PrepareNextChar();  // the Next command
        EXPECT_FALSE(std::filesystem::exists("student.lumora")) << total;
        App.Answered = true;
        OnChar(' ');
        EXPECT_EQ(std::filesystem::exists("student.lumora"), total % 50 == 10) << total;
    }
}

TEST(Typing, InconsistentQueueStopsWithoutWritingTheLearnerFile) {
    Asked ask({"ma1 mother"});
    App.CharTable[App.FreqList[7999]].Good = 9;  // the answer makes 10: a space would save
    App.QueueLength += 1;
    Type("ma1");
    EXPECT_EQ(LastLog(4), "370 1001 2454 2867 ");
    EXPECT_FALSE(App.Answered);
    OnChar(' ');
    EXPECT_FALSE(std::filesystem::exists("student.lumora"));
}
