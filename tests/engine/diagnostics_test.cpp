// The hidden commands typed into an entry row: the text dumps, marking all known, reversing the queue.
#include "tests/engine/engine_fixture.h"

namespace {

std::vector<std::uint8_t> Utf16File(const std::u16string& text) {
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (char16_t unit : text) bytes.insert(bytes.end(), {std::uint8_t(unit & 0xFF), std::uint8_t(unit >> 8)});
    return bytes;
}

}  // namespace

TEST(Dump1, WritesTheQueueAndTheHistoryAsUtf16Text) {
    TestFolder folder;
    TestDatabase db;
    db.AddChar(0x597D, {"hao3 good"});
    db.AddChar(0x4E00, {"ma1 one"});
    LoadTestData(db);
    ASSERT_EQ(SetCurrentChar(), 1);
    for (CharRecord& record : App.CharTable) record.QueuePos = 0;
    App.CharTable[0x597D].QueuePos = 1;
    App.CharTable[0x4E00] = {2, 3, 1, 2, 0, 0};
    App.CharTable[0x4F60] = {3, 12, 10, 0, 0, 0};
    App.QueueLength = 3;
    App.ExamHistory[0] = {900, 84, 365, 50};
    App.ExamHistory[HistoryCount - 1] = {1, 2, 3, 4};
    Type("dump1");
    EXPECT_EQ(App.TypedPinyin[0].length(), 0u);  // no syllable: the row empties, nothing is recorded
    EXPECT_EQ(ReadFileBytes("student.txt"), Utf16File(u"1 \u597D 0 0 0\r\n2 \u4E00 3 1 2\r\n3 \u4F60 12 10 0\r\n"));
    std::string exam = "0: 365 50 900 84\r\n";
    for (int k = 1; k < HistoryCount - 1; ++k) exam += std::to_string(k) + ": 0 0 0 0\r\n";
    exam += "4999: 3 4 1 2\r\n";
    EXPECT_EQ(ReadFileBytes("exam.txt"), Utf16File(std::u16string(exam.begin(), exam.end())));

    App.CharTable[0x4E00].QueuePos = 0;  // a gap at 2 after a dump that filled it: no line for 2
    Type("dump1");
    EXPECT_EQ(ReadFileBytes("student.txt"), Utf16File(u"1 \u597D 0 0 0\r\n3 \u4F60 12 10 0\r\n"));
}

TEST(Dump2And3, MarkTheQueueKnownAndReverseIt) {
    TestFolder folder;
    LoadTestData(TestDatabase());
    ASSERT_EQ(SetCurrentChar(), 1);
    const int current = App.CurrentChar;
    const int later = App.FreqList[3];
    App.CharTable[later] = {4, 0, 4, 2, 1, 0};
    App.ExamHistory[0].Asked = 77;
    App.ExamHistory[30].Known = 5;
    Type("dump2");
    EXPECT_EQ(std::vector<int>({App.CharTable[later].Good, App.CharTable[later].Wrong, App.CharTable[later].Streak}),
              std::vector<int>({1000, 0, 2}));
    EXPECT_EQ(App.KnownCount, 8000);
    EXPECT_DOUBLE_EQ(App.LearnedPercent, 100.0);
    const ExamRecord& last = App.ExamHistory[29];
    EXPECT_EQ(std::vector<int>({last.Known, last.Margin, last.Day}), std::vector<int>({2200, 1333, 1050}));
    EXPECT_EQ(App.ExamHistory[0].Asked, 77);  // kept, as are the entries from 30 on
    EXPECT_EQ(App.ExamHistory[30].Known, 5);

    Type("dump3");
    EXPECT_EQ(App.CurrentChar, current);
    EXPECT_EQ(App.CharTable[current].QueuePos, 8000);
    EXPECT_EQ(App.CharTable[later].QueuePos, 7997);
    EXPECT_EQ(TestData(), 1);
    Type("ma1 ");
    EXPECT_EQ(App.CurrentChar, App.FreqList[7999]);
}
