// Typing into the entry rows, the answer check, the periodic save and the stop on a broken queue.
#include <filesystem>

#include "tests/engine/engine_fixture.h"

// Makes the character 0x4E00 with these readings the current one.
static void Ask(std::vector<std::string> readings) {
    TestDatabase db;
    db.AddChar(0x4E00, std::move(readings));
    LoadTestData(db);
    ASSERT_EQ(SetCurrentChar(), 1);
}

static std::string Row() { return LowBytes(App.TypedPinyin[0]); }

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
        TestFolder folder;
        Ask(c.readings);
        Type(c.typed);
        EXPECT_TRUE(App.Answered) << c.typed;
        EXPECT_EQ(App.ActiveRow, c.rows) << c.typed;
        EXPECT_EQ(App.CharTable[0x4E00].Good, c.good) << c.typed;
        EXPECT_EQ(App.CharTable[0x4E00].Wrong, c.wrong) << c.typed;
        EXPECT_EQ(Row(), c.typed.substr(0, 3));
    }
}

TEST(Typing, UnknownSyllablesOtherKeysAndOverlongRowsChangeNothing) {
    TestFolder folder;
    Ask({"ma1 mother"});
    const CharRecord& record = App.CharTable[0x4E00];
    Type("xyz21");  // no such syllable, then the empty one: the row empties each time
    Type("MAZ6789.,;/ \b\r\x1b");  // capitals, digits 6 to 9, punctuation, space, control keys
    OnChar(0x4E00);
    EXPECT_EQ(Row(), "");
    Type("mab\bchuangqwerty");  // six letters at most
    EXPECT_EQ(Row(), "machua");
    Type("4");
    EXPECT_EQ(Row(), "");
    EXPECT_EQ(record.Good + record.Wrong, 0);
    EXPECT_EQ(CheckAnswer(WideString("zhuangzhuangzhuangzhuang1")), 0);  // longer than the check's buffer

    Type("ma1ma2\b");  // answered: only space counts
    EXPECT_EQ(Row(), "ma1");
    EXPECT_EQ(record.Good + record.Wrong, 1);
}

TEST(Typing, SpaceSavesAtTenModuloFiftyAnswersButNotOnNextNorOnABrokenQueue) {
    TestFolder folder;
    Ask({"ma1 mother"});
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
    std::filesystem::remove("student.lumora");
    App.QueueLength += 1;  // the next answer makes 110 again, but the queue check fails
    Type("ma1");
    EXPECT_EQ(LastLog(4), "370 1001 2454 2867 ");
    EXPECT_FALSE(App.Answered);
    OnChar(' ');
    EXPECT_FALSE(std::filesystem::exists("student.lumora"));
}
