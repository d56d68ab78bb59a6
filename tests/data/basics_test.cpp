// Strings, Scramble, the log, the random generator and the day clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "data/clock.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/random.h"
#include "data/scramble.h"
#include "data/seams.h"
#include "data/strings.h"
#include "tests/data/data_test_helpers.h"
#include "tests/support/test_support.h"

TEST(Text, WideningNarrowingEqualityAndScramble) {
    const std::uint16_t wide[] = {0x4E2D, 'a', 0};
    EXPECT_STREQ(NarrowString(WideString(wide)).c_str(), "-a");  // low byte of 0x4E2D is '-'
    EXPECT_EQ(WideString("\xE9")[0], 0x00E9);                     // bytes widen without sign
    EXPECT_NE(WideString("ma"), WideString("ma1"));  // a prefix is not equal, either way round
    EXPECT_NE(WideString("ma1"), WideString("ma"));

    // Scramble turns printable bytes only, and twice gives the text back.
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
    LogTrace("WM_CREATE");
    LogStep(439);
    EXPECT_EQ(ReadFileText("log.txt"), "439\n");  // emptied at every start
    EXPECT_TRUE(AskedQuestions().empty());

    WriteFileBytes("need_log_file.txt", {});
    SwitchLog();
    ASSERT_EQ(AskedQuestions().size(), 1u);
    const AskedQuestion& notice = AskedQuestions()[0];
    EXPECT_EQ(std::make_tuple(notice.text, notice.caption, notice.buttons, notice.owned),
              std::make_tuple(std::string("Log file will be written"), std::string(""), AskOk, 0));
    LogTrace("WM_CREATE");
    EXPECT_EQ(LogLines(), (Lines{"WM_CREATE"}));

    std::filesystem::remove("log.txt");
    std::filesystem::create_directory("log.txt");  // unwritable: the lines are lost, nothing else
    LogStep(3263);
    SwitchLog();
}

// Days follow the calendar, and GetTime reseeds the generator from the clock.
TEST(RandomAndClock, KnownDrawsDayNumbersAndSeed) {
    TestFolder folder;
    EXPECT_EQ(DrawRandom(), 41);
    EXPECT_EQ(DrawRandom(), 18467);
    EXPECT_EQ(DrawRandom(), 6334);
    SeedRandom(0);
    EXPECT_EQ(DrawRandom(), 38);

    const std::vector<std::tuple<int, int, int, int, int>> days = {
        {2003, 1, 1, 0, 0}, {2003, 12, 31, 23, 364}, {2004, 1, 1, 0, 365}, {2026, 12, 7, 12, 8741}};
    for (auto [y, mo, d, h, expected] : days) {
        SetLocalNow(y, mo, d, h);
        EXPECT_EQ(GetTime(), expected) << y << "-" << mo << "-" << d;
    }
    LogEnabled = 1;
    SetLocalNow(2004, 3, 15, 10, 20, 30);
    GetTime();
    EXPECT_EQ(App.RandomState, 3u * 30u * 20u * 15u);  // month x second x minute x day
    EXPECT_EQ(LogLines(), (Lines{"GetTime"}));

    // Counting elapsed seconds would put 00:30 summer time on the day before, since 1 January 2003
    // was winter time; the day number follows the calendar instead.
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    SetLocalNow(2003, 7, 1, 0, 30, 0);
    EXPECT_EQ(GetTime(), 181);
    if (saved) setenv("TZ", previous.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}
