// Strings, lists, Scramble, the log, the random generator and the day clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "data/lists.h"
#include "data/program_state.h"
#include "data/scramble.h"
#include "data/seams.h"
#include "engine/clock.h"
#include "engine/random.h"
#include "shell/log.h"
#include "tests/data/data_test_helpers.h"
#include "tests/support/test_support.h"

TEST(StringsAndLists, ConversionsAndWalks) {
    const std::uint16_t wide[] = {0x4E2D, 'a', 0};
    EXPECT_STREQ(NarrowString(WideString(wide)).c_str(), "-a");  // low byte of 0x4E2D is '-'
    EXPECT_EQ(WideString("\xE9")[0], 0x00E9);                     // bytes widen without sign
    EXPECT_EQ((WideString("ni") + WideString("hao3")).Left(2), WideString("ni"));
    EXPECT_NE(WideString("ma"), WideString("ma1"));  // a prefix is not equal, either way round
    EXPECT_NE(WideString("ma1"), WideString("ma"));

    StringList list;
    list.Append(WideString("de"));
    EXPECT_EQ(list.head, list.tail);
    EXPECT_EQ(list.cursor, nullptr);  // append never moves the cursor
    list.Append(WideString("le"));
    list.cursor = list.head;
    EXPECT_EQ(list.Advance()->text, WideString("le"));
    EXPECT_EQ(list.Advance(), nullptr);  // past the last node: nothing, cursor stays on the last
    EXPECT_EQ(list.cursor, list.tail);
    list.Clear();
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.Advance(), nullptr);
}

TEST(ScrambleTest, PrintableBytesOnlyAndSelfInverse) {
    char text[] = "abc!~0A \t\x7F\xFF";
    Scramble(text);
    EXPECT_STREQ(text, ">=<~!o^ \t\x7F\xFF");
    Scramble(text);
    EXPECT_STREQ(text, "abc!~0A \t\x7F\xFF");
    char stop[] = {'a', 0, 'a', 0};
    Scramble(stop);
    EXPECT_EQ(std::memcmp(stop, ">\0a", 3), 0);  // the first zero byte ends the text
}

TEST(Log, StepCodesAlwaysTracesWhenSwitchedOn) {
    TestFolder folder;
    WriteFileBytes("log.txt", {'o', 'l', 'd', '\n'});
    SwitchLog();
    EXPECT_EQ(LogEnabled, 0);
    EXPECT_EQ(ReadFileText("log.txt"), "");  // emptied at every start
    LogTrace("WM_CREATE");
    LogStep(439);
    EXPECT_EQ(ReadFileText("log.txt"), "439\n");
    EXPECT_TRUE(AskedQuestions().empty());

    WriteFileBytes("need_log_file.txt", {});
    SwitchLog();
    EXPECT_EQ(LogEnabled, 1);
    ASSERT_EQ(AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedQuestions()[0].text, "Log file will be written");
    EXPECT_EQ(AskedQuestions()[0].caption, "");
    EXPECT_EQ(AskedQuestions()[0].buttons, AskOk);
    EXPECT_EQ(AskedQuestions()[0].owned, 0);
    LogTrace("WM_CREATE");
    EXPECT_EQ(LogLines(), (Lines{"WM_CREATE"}));

    std::filesystem::remove("log.txt");
    std::filesystem::create_directory("log.txt");  // unwritable: the lines are lost, nothing else
    LogStep(3263);
    SwitchLog();
}

TEST(Random, KnownDrawsAndReseeding) {
    TestFolder folder;
    EXPECT_EQ(DrawRandom(), 41);
    EXPECT_EQ(DrawRandom(), 18467);
    EXPECT_EQ(DrawRandom(), 6334);
    SeedRandom(0);
    EXPECT_EQ(DrawRandom(), 38);
    SeedRandom(0xFFFFFFFFu);  // the state wraps modulo 2^32
    DrawRandom();
    EXPECT_EQ(App.RandomState, 0xFFFFFFFFu * 214013u + 2531011u);
}

TEST(Clock, DayNumbersAndSeed) {
    TestFolder folder;
    const std::vector<std::tuple<int, int, int, int, int, int, int>> days = {
        {2003, 1, 1, 0, 0, 0, 0}, {2003, 1, 1, 23, 59, 59, 0}, {2003, 12, 31, 23, 59, 59, 364},
        {2004, 1, 1, 0, 0, 0, 365}, {2005, 1, 1, 12, 0, 0, 731}, {2026, 12, 7, 12, 0, 0, 8741}};
    for (auto [y, mo, d, h, mi, s, expected] : days) {
        SetLocalNow(y, mo, d, h, mi, s);
        EXPECT_EQ(GetTime(), expected) << y << "-" << mo << "-" << d;
    }
    LogEnabled = 1;
    SetLocalNow(2004, 3, 15, 10, 20, 30);
    GetTime();
    EXPECT_EQ(App.RandomState, 3u * 30u * 20u * 15u);  // month x second x minute x day
    EXPECT_EQ(LogLines(), (Lines{"GetTime"}));
    SetLocalNow(2004, 3, 15, 10, 0, 30);
    GetTime();
    EXPECT_EQ(DrawRandom(), 38);  // minute 0: seed 0
}

// Counting elapsed seconds would put 00:30 summer time on the day before, since 1 January 2003
// was winter time; the day number follows the calendar instead.
TEST(Clock, SummerTimeDoesNotMoveTheDay) {
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    {
        TestFolder folder;
        SetLocalNow(2003, 7, 1, 0, 30, 0);
        EXPECT_EQ(GetTime(), 181);
    }
    if (saved) setenv("TZ", previous.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}
