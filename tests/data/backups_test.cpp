// Daily backups of the learner's records on a clock the tests set: one a day at most, the rotation
// over two months, a full disk during a copy, and the way back.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "data/backups.h"
#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The dates of the learner copies in the backups folder, and whether each has its sf04 beside it.
std::set<std::string> CopyDates(bool settingsToo = true)
{
    std::set<std::string> dates;
    if (!fs::exists("backups")) return dates;
    for (const fs::directory_entry& entry : fs::directory_iterator("backups")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("student-", 0) == 0) {
            const std::string date = name.substr(8, 10);
            dates.insert(date);
            if (settingsToo) {
                EXPECT_TRUE(fs::exists("backups/sf04-" + date)) << date;
            }
        }
    }
    return dates;
}

// The day's answers: the first character's right answers count the days.
void SaveOn(int year, int month, int day, int good)
{
    SetLocalNow(year, month, day, 20);
    App.CharTable[0x4E00].QueuePos = 1;
    App.QueueLength = 1;
    App.CharTable[0x4E00].Good = static_cast<std::uint16_t>(good);
    ASSERT_EQ(SaveData(), 1);
}

std::uint16_t GoodIn(const std::string& path)
{
    const Bytes bytes = ReadFileBytes(path);
    return static_cast<std::uint16_t>(bytes.at(2 + 8 * 0x4E00 + 2) | bytes.at(2 + 8 * 0x4E00 + 3) << 8);
}

TEST(Backups, AtMostOneADayHoldingTheFilesAsTheyWereBeforeTheDaysFirstSave)
{
    TestFolder folder;
    WriteFileBytes("sf04", {});
    SaveOn(2026, 12, 6, 1);
    EXPECT_FALSE(fs::exists("backups")) << "nothing saved before: nothing to copy";
    SaveOn(2026, 12, 7, 2);
    SaveOn(2026, 12, 7, 3);
    SaveOn(2026, 12, 7, 4);
    EXPECT_EQ(CopyDates(), (std::set<std::string>{"2026-12-07"}));
    EXPECT_EQ(GoodIn("backups/student-2026-12-07.lumora"), 1) << "the records as the day found them";
    EXPECT_EQ(ReadFileBytes("backups/sf04-2026-12-07"), (Bytes{1, 0, 0, 0, 0, 0, 0, 0})) << "sf04 as the 6th saved it";
    EXPECT_EQ(GoodIn("student.lumora"), 4);
    EXPECT_EQ(ModeOf("backups"), 0700);
}

// Sixty days of practice, every day: the seven newest copies and the last of each of the four
// weeks before them remain.
TEST(Backups, RotationOverSixtyDays)
{
    TestFolder folder;
    WriteFileBytes("sf04", {});
    for (int day = 1; day <= 60; ++day) SaveOn(2026, 1, day, day);  // 1 January to 1 March
    const std::set<std::string> expected = {
        "2026-02-23", "2026-02-24", "2026-02-25", "2026-02-26", "2026-02-27", "2026-02-28", "2026-03-01",
        "2026-02-22", "2026-02-15", "2026-02-08", "2026-02-01",  // the Sundays of the weeks before
    };
    EXPECT_EQ(CopyDates(), expected);
    // Each copy holds the records of the day before it.
    EXPECT_EQ(GoodIn("backups/student-2026-03-01.lumora"), 59);
    EXPECT_EQ(GoodIn("backups/student-2026-02-01.lumora"), 31);

    // A learner who practises now and then: the newest seven, then one a week for four weeks.
    EXPECT_EQ(DatesKept({"2026-03-20", "2026-03-02", "2026-03-01", "2026-02-27", "2026-02-26", "2026-02-20",
                         "2026-02-19", "2026-02-18", "2026-02-17", "2026-02-09", "2026-02-04", "2026-01-20",
                         "2026-01-19", "2026-01-10"}),
              (std::vector<std::string>{"2026-03-20", "2026-03-02", "2026-03-01", "2026-02-27", "2026-02-26",
                                        "2026-02-20", "2026-02-19", "2026-02-09", "2026-02-04", "2026-01-20"}));
}

// A disk that fills during the copy: the save itself succeeds, no part of a copy is left under any
// name, and the learner hears of it once.
TEST(Backups, AFullDiskDuringTheCopyLeavesTheSaveWholeAndIsToldOnce)
{
    TestFolder folder;
    std::vector<FileNotice> told;
    static std::vector<FileNotice>* notices;
    notices = &told;
    TellLearner = [](const FileNotice& notice) { notices->push_back(notice); };
    WriteFileBytes("sf04", {});
    SaveOn(2026, 12, 6, 1);
    CopyFailAfterBytes = 1000;
    SaveOn(2026, 12, 7, 2);
    SaveOn(2026, 12, 7, 3);
    TellLearner = TellLearnerDefault;
    EXPECT_EQ(GoodIn("student.lumora"), 3) << "both saves went through";
    EXPECT_TRUE(CopyDates(false).empty());
    for (const fs::directory_entry& entry : fs::directory_iterator("backups"))
        EXPECT_EQ(entry.path().filename().string(), "sf04-2026-12-07") << "no partial copy, no temporary file";
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].kind, FileNoticeKind::BackupFailed);
    EXPECT_EQ(told[0].error, ENOSPC);
    EXPECT_EQ(LogLines(), (Lines{"797", "797"}));

    // Room again: the next save makes the day's copy.
    CopyFailAfterBytes = -1;
    SaveOn(2026, 12, 7, 4);
    EXPECT_EQ(GoodIn("backups/student-2026-12-07.lumora"), 3);
}

// Only a file that loads is copied; the way back skips a damaged copy and keeps what it replaces.
TEST(Backups, DamagedFilesAreNeverCopiesAndTheWayBackKeepsTheFileAside)
{
    TestFolder folder;
    WriteFileBytes("sf04", {});
    SaveOn(2026, 12, 5, 1);
    SaveOn(2026, 12, 6, 2);
    SaveOn(2026, 12, 7, 3);
    Bytes newest = ReadFileBytes("backups/student-2026-12-07.lumora");
    newest.resize(1000);
    WriteFileBytes("backups/student-2026-12-07.lumora", newest);
    const Backup backup = NewestLoadableBackup();
    EXPECT_EQ(backup.date, "2026-12-06");
    EXPECT_EQ(backup.learned, 1) << "right more often than wrong";

    WriteFileBytes("student.lumora", {1, 2, 3});
    SetLocalNow(2026, 12, 8);
    SaveOn(2026, 12, 8, 9);  // a damaged file is no day's copy
    EXPECT_FALSE(fs::exists("backups/student-2026-12-08.lumora"));

    WriteFileBytes("student.lumora", {4, 5, 6});
    std::string aside;
    int error = 0;
    ASSERT_EQ(RestoreBackup(backup, "damaged", aside, error), 1);
    EXPECT_EQ(aside, "student.lumora.damaged-2026-12-08");
    EXPECT_EQ(ReadFileBytes(aside), (Bytes{4, 5, 6}));
    EXPECT_EQ(GoodIn("student.lumora"), 1);
    ASSERT_EQ(LoadStudentFile(), 1);
    EXPECT_EQ(App.CharTable[0x4E00].Good, 1);
}

}  // namespace
