// The diagnostic log, the random generator and the day clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "data/program_state.h"
#include "data/seams.h"
#include "engine/clock.h"
#include "engine/random.h"
#include "shell/log.h"
#include "tests/support/test_support.h"

TEST(Log, StepCodesAlwaysTraceLinesOnlyWhenSwitchedOn) {
    TestFolder folder;
    LogTrace("LoadIndex");
    LogStep(439);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"439"}));
    LogEnabled = 1;
    LogTrace("LoadIndex");
    LogStep(2144);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"439", "LoadIndex", "2144"}));
    EXPECT_EQ(ReadFileText("log.txt"), "439\nLoadIndex\n2144\n");
}

TEST(Log, SwitchWithoutMarkerEmptiesTheLogSilently) {
    TestFolder folder;
    WriteFileBytes("log.txt", {'7', '2', '1', '\n'});
    LogEnabled = 1;
    SwitchLog();
    EXPECT_EQ(LogEnabled, 0);
    ASSERT_TRUE(std::filesystem::exists("log.txt"));
    EXPECT_EQ(ReadFileText("log.txt"), "");
    EXPECT_TRUE(AskedQuestions().empty());
    LogTrace("WM_CREATE");
    EXPECT_EQ(ReadFileText("log.txt"), "");
}

TEST(Log, SwitchWithMarkerTurnsTracingOnAfterItsNotice) {
    TestFolder folder;
    WriteFileBytes("need_log_file.txt", {});  // an empty marker counts
    WriteFileBytes("log.txt", {'o', 'l', 'd', '\n'});
    SwitchLog();
    EXPECT_EQ(LogEnabled, 1);
    ASSERT_EQ(AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedQuestions()[0].text, "Log file will be written");
    EXPECT_EQ(AskedQuestions()[0].caption, "");
    EXPECT_EQ(AskedQuestions()[0].buttons, AskOk);
    EXPECT_EQ(ReadFileText("log.txt"), "");
    LogTrace("WM_CREATE");
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"WM_CREATE"}));
}

TEST(Log, AnUnwritableLogLosesOnlyItsLines) {
    TestFolder folder;
    std::filesystem::create_directory("log.txt");
    LogEnabled = 1;
    LogStep(3263);
    LogTrace("OnCreate");
    SwitchLog();
    EXPECT_TRUE(std::filesystem::is_directory("log.txt"));
}

TEST(Random, DrawsFromTheStartStateAndAfterReseeding) {
    TestFolder folder;
    EXPECT_EQ(DrawRandom(), 41);
    EXPECT_EQ(DrawRandom(), 18467);
    EXPECT_EQ(DrawRandom(), 6334);
    SeedRandom(0);
    EXPECT_EQ(DrawRandom(), 38);

    std::vector<int> first, second;
    SeedRandom(123456789u);
    for (int i = 0; i < 50; ++i) first.push_back(DrawRandom());
    SeedRandom(123456789u);
    for (int i = 0; i < 50; ++i) second.push_back(DrawRandom());
    EXPECT_EQ(first, second);
    for (int value : first) {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 32767);
    }
    // The state wraps modulo 2^32 rather than saturating.
    SeedRandom(0xFFFFFFFFu);
    EXPECT_EQ(App.RandomState, 0xFFFFFFFFu);
    DrawRandom();
    EXPECT_EQ(App.RandomState, 0xFFFFFFFFu * 214013u + 2531011u);
}

TEST(Clock, DayNumbersCountWholeLocalDaysFrom2003) {
    TestFolder folder;
    SetLocalNow(2003, 1, 1, 0, 0, 0);
    EXPECT_EQ(GetTime(), 0);
    SetLocalNow(2003, 1, 1, 23, 59, 59);
    EXPECT_EQ(GetTime(), 0);
    SetLocalNow(2003, 12, 31, 23, 59, 59);
    EXPECT_EQ(GetTime(), 364);
    SetLocalNow(2004, 1, 1, 0, 0, 0);
    EXPECT_EQ(GetTime(), 365);
    SetLocalNow(2005, 1, 1);  // 2004 is a leap year
    EXPECT_EQ(GetTime(), 365 + 366);
    SetLocalNow(2026, 12, 7);
    EXPECT_EQ(GetTime(), 8741);
}

TEST(Clock, ReseedsFromMonthSecondMinuteAndDay) {
    TestFolder folder;
    SetLocalNow(2004, 3, 15, 10, 20, 30);
    GetTime();
    EXPECT_EQ(App.RandomState, 3u * 30u * 20u * 15u);
    // Two calls within one second give the same seed.
    int first = DrawRandom();
    GetTime();
    EXPECT_EQ(DrawRandom(), first);
    // A zero minute makes the seed 0, whose next draw is 38.
    SetLocalNow(2004, 3, 15, 10, 0, 30);
    GetTime();
    EXPECT_EQ(DrawRandom(), 38);
}

TEST(Clock, TracesItsName) {
    TestFolder folder;
    LogEnabled = 1;
    SetLocalNow(2010, 5, 5);
    GetTime();
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"GetTime"}));
}

// A count of elapsed seconds would put 00:30 summer time on the day before, since 1 January 2003
// was winter time; the day number follows the calendar instead.
TEST(Clock, SummerTimeDoesNotMoveTheDay) {
    const char* saved = std::getenv("TZ");
    std::string previous = saved ? saved : "";
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    {
        TestFolder folder;
        SetLocalNow(2003, 7, 1, 0, 30, 0);
        EXPECT_EQ(GetTime(), 181);
        SetLocalNow(2003, 3, 30, 3, 30, 0);  // the morning summer time began
        EXPECT_EQ(GetTime(), 88);
    }
    if (saved) setenv("TZ", previous.c_str(), 1);
    else unsetenv("TZ");
    tzset();
}
