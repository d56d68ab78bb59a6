// The hidden commands typed into an entry row: the text dumps, marking all known, reversing the queue.
#include <algorithm>
#include <filesystem>
#include <string>

#include "engine/diagnostics.h"
#include "engine/selection.h"
#include "tests/engine/engine_fixture.h"

namespace {

std::vector<std::uint8_t> Utf16File(const std::u16string& text) {
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (char16_t unit : text) bytes.insert(bytes.end(), {static_cast<std::uint8_t>(unit & 0xFF), static_cast<std::uint8_t>(unit >> 8)});
    return bytes;
}

std::u16string Widen(const std::string& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace

TEST(Dump, WritesTheQueueAndTheHistoryAsUtf16Text) {
    TestFolder folder;
    App.CharTable[0x597D] = {1, 0, 0, 0, 0, 0};
    App.CharTable[0x4E00] = {2, 3, 1, 2, 0, 0};
    App.CharTable[0x4F60] = {3, 12, 10, 0, 0, 0};
    App.QueueLength = 3;
    App.ExamHistory[0] = {900, 84, 365, 50};
    App.ExamHistory[HistoryCount - 1] = {1, 2, 3, 4};
    WriteDumpFiles();
    EXPECT_EQ(ReadFileBytes("student.txt"), Utf16File(u"1 \u597D 0 0 0\r\n2 \u4E00 3 1 2\r\n3 \u4F60 12 10 0\r\n"));

    std::u16string exam = u"0: 365 50 900 84\r\n";
    for (int k = 1; k < HistoryCount - 1; ++k) exam += Widen(std::to_string(k) + ": 0 0 0 0\r\n");
    exam += u"4999: 3 4 1 2\r\n";
    EXPECT_EQ(ReadFileBytes("exam.txt"), Utf16File(exam));

    // A damaged queue with a gap at 2 and a stale inverse table from the last dump: no line for 2.
    App.CharTable[0x4E00].QueuePos = 0;
    WriteDumpFiles();
    EXPECT_EQ(ReadFileBytes("student.txt"), Utf16File(u"1 \u597D 0 0 0\r\n3 \u4F60 12 10 0\r\n"));
}

class Commands : public ::testing::Test {
protected:
    TestFolder folder;
    void SetUp() override {
        TestDatabase db;
        db.Write();
        LoadTestData();
        ASSERT_EQ(SetCurrentChar(), 1);
    }
    void ExpectNothingRecorded() {
        EXPECT_EQ(App.TypedPinyin[0].length(), 0u);
        EXPECT_FALSE(App.Answered);
        EXPECT_EQ(App.CharTable[App.CurrentChar].Wrong, 0);
    }
};

TEST_F(Commands, Dump1TypedIntoARowWritesTheFiles) {
    Type("dump1");
    ExpectNothingRecorded();
    // The most frequent character first, with three zeros; one line per position.
    const std::vector<std::uint8_t> start =
        Utf16File(u"1 " + std::u16string(1, static_cast<char16_t>(App.FreqList[0])) + u" 0 0 0\r\n2 ");
    const std::vector<std::uint8_t> bytes = ReadFileBytes("student.txt");
    ASSERT_GE(bytes.size(), start.size());
    EXPECT_TRUE(std::equal(start.begin(), start.end(), bytes.begin()));
    EXPECT_EQ(bytes.size(), 2u + 2u * (8000 * 10 + 9 * 1 + 90 * 2 + 900 * 3 + 7001 * 4));
    EXPECT_TRUE(std::filesystem::exists("exam.txt"));
}

TEST_F(Commands, Dump2MarksEveryQueuedCharacterKnownWithSampleResults) {
    App.CharTable[App.FreqList[3]].Wrong = 4;
    App.CharTable[App.FreqList[3]].Streak = 2;
    App.ExamHistory[0].Asked = 77;
    App.ExamHistory[30].Known = 5;
    Type("dump2");
    ExpectNothingRecorded();
    EXPECT_EQ(App.CharTable[App.FreqList[3]].Good, 1000);
    EXPECT_EQ(App.CharTable[App.FreqList[3]].Wrong, 0);
    EXPECT_EQ(App.CharTable[App.FreqList[3]].Streak, 2);
    EXPECT_EQ(App.KnownCount, 8000);
    EXPECT_DOUBLE_EQ(App.LearnedPercent, 100.0);
    const ExamRecord& last = App.ExamHistory[29];
    EXPECT_EQ(last.Known, 8000 - 200 * 29);
    EXPECT_EQ(last.Margin, 1333);
    EXPECT_EQ(last.Day, 2500 - 50 * 29);
    EXPECT_EQ(App.ExamHistory[0].Asked, 77);
    EXPECT_EQ(App.ExamHistory[30].Known, 5);
}

TEST_F(Commands, Dump3ReversesTheQueueForTheNextCharacter) {
    const int current = App.CurrentChar;
    Type("dump3");
    ExpectNothingRecorded();
    EXPECT_EQ(App.CurrentChar, current);
    EXPECT_EQ(App.CharTable[current].QueuePos, 8000);
    EXPECT_EQ(TestData(), 1);
    Type("ma1");
    OnChar(' ');
    EXPECT_EQ(App.CurrentChar, App.FreqList[7999]);
}
