// The hidden commands typed into an entry row: the text dumps, marking all known, reversing the queue.
#include "tests/engine/engine_fixture.h"

static std::vector<std::uint8_t> Utf16File(const std::u16string& text) {
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (char16_t unit : text) bytes.insert(bytes.end(), {std::uint8_t(unit & 0xFF), std::uint8_t(unit >> 8)});
    return bytes;
}

TEST(DiagnosticWords, DumpTheQueueAndHistoryMarkAllKnownAndReverseTheQueue) {
    TestFolder folder;
    LoadTestData(TestDatabase());
    ASSERT_EQ(SetCurrentChar(), 1);  // 0x5000, the head of a queue cut down to three
    for (CharRecord& record : App.CharTable) record.QueuePos = 0;
    App.CharTable[0x5000].QueuePos = 1;
    App.CharTable[0x5001] = {2, 3, 1, 2, 0, 0};
    App.CharTable[0x4F60] = {3, 12, 10, 0, 0, 0};
    App.QueueLength = 3;
    App.QueuedCodes = FindQueuedCodes();
    App.ExamHistory[0] = {900, 84, 365, 50};
    App.ExamHistory[HistoryCount - 1] = {1, 2, 3, 4};
    Type("dump1");
    EXPECT_EQ(ReadFileBytes("student.txt"), Utf16File(u"1 \u5000 0 0 0\r\n2 \u5001 3 1 2\r\n3 \u4F60 12 10 0\r\n"));
    std::string exam = "0: 365 50 900 84\r\n";
    for (int k = 1; k < HistoryCount - 1; ++k) exam += std::to_string(k) + ": 0 0 0 0\r\n";
    exam += "4999: 3 4 1 2\r\n";
    EXPECT_EQ(ReadFileBytes("exam.txt"), Utf16File(std::u16string(exam.begin(), exam.end())));

    App.CharTable[0x5001].QueuePos = 0;  // a gap at 2 after a dump that filled it: no line for 2
    App.QueuedCodes = FindQueuedCodes();
    Type("dump1");
    EXPECT_EQ(ReadFileBytes("student.txt"), Utf16File(u"1 \u5000 0 0 0\r\n3 \u4F60 12 10 0\r\n"));

    App.CharTable[0x5001].QueuePos = 2;
    App.QueuedCodes = FindQueuedCodes();
    App.ExamHistory[30].Known = 5;
    Type("dump2");
    const CharRecord& second = App.CharTable[0x5001];
    EXPECT_EQ(std::vector<int>({second.Good, second.Wrong, second.Streak}), std::vector<int>({1000, 0, 2}));
    EXPECT_DOUBLE_EQ(App.LearnedPercent, 100.0);
    const ExamRecord& sample = App.ExamHistory[29];
    EXPECT_EQ(std::vector<int>({sample.Known, sample.Margin, sample.Day}), std::vector<int>({2200, 1333, 1050}));
    EXPECT_EQ(App.ExamHistory[30].Known, 5);  // past the 30 samples the history is kept

    Type("dump3");
    EXPECT_EQ(std::vector<int>({App.CharTable[0x5000].QueuePos, second.QueuePos, App.CharTable[0x4F60].QueuePos}),
              std::vector<int>({3, 2, 1}));
}
