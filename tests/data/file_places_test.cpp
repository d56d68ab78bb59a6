// The two folders of the program's files: full names, the per-user folder, and every file the
// data layer reads or writes landing in the folder it belongs to.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "data/database.h"
#include "data/file_places.h"
#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/settings.h"
#include "data/word_lists.h"
#include "tests/data/data_test_helpers.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

// Two folders inside the test folder, named to the data files for the test's length.
struct TwoFolders {
    std::string readOnly;
    std::string records;
    explicit TwoFolders(const TestFolder& folder)
        : readOnly(folder.path() + "/share/lumora"), records(folder.path() + "/home/data/lumora") {
        fs::create_directories(readOnly);
        fs::create_directories(records);
        SetFilePlaces(readOnly, records);
        NameDataFiles();
    }
    ~TwoFolders() { SetFilePlaces("", ""); }
};

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(FilePlaces, PerUserFolderFollowsXdgDataHomeThenHome) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"/srv/data", "/home/li", "/srv/data/lumora"},
        {"/srv/data//", "/home/li", "/srv/data/lumora"},
        {nullptr, "/home/li", "/home/li/.local/share/lumora"},
        {"", "/home/li/", "/home/li/.local/share/lumora"},
        // A relative value would put the records wherever the program is started.
        {"data", "/home/li", "/home/li/.local/share/lumora"},
        {"data", "home", ""},
        {nullptr, nullptr, ""},
        {"/", nullptr, "/lumora"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserRecordsFolder(c.xdg, c.home), c.expected) << (c.xdg ? c.xdg : "(unset)");
}

TEST(FilePlaces, DataFilesAreNamedInTheirFolderAndBareWithoutOne) {
    TestFolder folder;
    EXPECT_STREQ(App.Files.Pinyin.c_str(), "pinyin");
    EXPECT_STREQ(App.Files.Learner.c_str(), "student.lumora");
    {
        TwoFolders places(folder);
        for (const NarrowString* name : {&App.Files.Glyphs, &App.Files.GlyphIndex, &App.Files.Info, &App.Files.InfoIndex,
                                         &App.Files.Frequency, &App.Files.Pinyin, &App.Files.Words})
            EXPECT_EQ(fs::path(name->c_str()).parent_path().string(), places.readOnly) << name->c_str();
        EXPECT_EQ(std::string(App.Files.Settings.c_str()), places.records + "/sf04");
        EXPECT_EQ(std::string(App.Files.Learner.c_str()), places.records + "/student.lumora");
        EXPECT_STREQ(RecordFile("log.txt").c_str(), (places.records + "/log.txt").c_str());
    }
    SetFilePlaces("/usr/share/lumora/", "");
    EXPECT_STREQ(ReadOnlyFile("cbf").c_str(), "/usr/share/lumora/cbf");
    EXPECT_STREQ(RecordFile("sf04").c_str(), "sf04");
    SetFilePlaces("", "");
}

// A start and a save with the database in one folder and the records in another: every loader
// finds its file, the learner's files, the log and the upgrade marker all live in the records
// folder, and nothing is written beside the database or into the current folder.
TEST(FilePlaces, LoadAndSaveKeepTheLearnersFilesInTheRecordsFolder) {
    TestFolder folder;
    TwoFolders places(folder);
    fs::current_path(places.readOnly);
    TestDatabase database;
    database.AddChar(0x7684, {"de5 possessive"});
    database.Write();
    fs::rename("sf04", places.records + "/sf04");
    fs::current_path(folder.path());

    // The earlier release's settings beside the database or in the current folder are not the learner's.
    WriteFileBytes("sf", {});
    WriteFileBytes(places.readOnly + "/sf", {});
    WriteFileBytes("need_log_file.txt", {});
    SwitchLog();
    EXPECT_EQ(LogEnabled, 0) << "the log switch is read from the records folder";
    EXPECT_TRUE(fs::exists(places.records + "/log.txt"));

    ASSERT_EQ(LoadPinyinList(), 1);
    ASSERT_EQ(LoadWdsList(), 1);
    ASSERT_EQ(LoadIndex(), 1);
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(App.UpgradeFlag, 0);
    ASSERT_EQ(LoadStudent(), 1);
    SaveData();
    FreeMemory();

    EXPECT_EQ(FilesIn(places.records), (std::vector<std::string>{"log.txt", "sf04", "student.lumora"}));
    EXPECT_EQ(static_cast<long>(ReadFileBytes(places.records + "/student.lumora").size()), LearnerFileSize);
    EXPECT_EQ(FilesIn(places.readOnly), (std::vector<std::string>{"cbf", "cbfcon", "cif", "cifcon", "index", "pinyin", "sf", "wtf"}));
    EXPECT_EQ(FilesIn(folder.path()), (std::vector<std::string>{"need_log_file.txt", "sf"}));

    // The marker and the earlier release's settings count where the records are.
    WriteFileBytes(places.records + "/need_log_file.txt", {});
    SwitchLog();
    EXPECT_EQ(LogEnabled, 1);
    LogEnabled = 0;
    WriteFileBytes(places.records + "/sf04", {});
    WriteFileBytes(places.records + "/sf", {});
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(App.UpgradeFlag, 1);
}
