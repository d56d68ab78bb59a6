// Full names from the two folders, and the per-user folder from the environment's values.
#include <gtest/gtest.h>

#include <string>

#include "data/file_places.h"
#include "data/program_state.h"

TEST(FilePlaces, PerUserFolderFollowsXdgDataHomeThenHome) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"/srv/data//", "/home/li", "/srv/data/lumora"},
        {nullptr, "/home/li/", "/home/li/.local/share/lumora"},
        {"", "/home/li", "/home/li/.local/share/lumora"},
        // A relative value would put the records wherever the program is started.
        {"data", "/home/li", "/home/li/.local/share/lumora"},
        {"data", "home", ""},
        {"/", nullptr, "/lumora"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UserRecordsFolder(c.xdg, c.home), c.expected) << (c.xdg ? c.xdg : "(unset)");
}

TEST(FilePlaces, DatabaseFromOneFolderLearnerFilesFromTheOther) {
    SetFilePlaces("/usr/share/lumora/", "/home/li/.local/share/lumora");
    NameDataFiles();
    EXPECT_STREQ(App.Files.Words.c_str(), "/usr/share/lumora/wtf");
    EXPECT_STREQ(App.Files.Settings.c_str(), "/home/li/.local/share/lumora/sf04");
    EXPECT_STREQ(App.Files.Learner.c_str(), "/home/li/.local/share/lumora/student.lumora");
    // Without folders every name stays bare, in the current folder.
    SetFilePlaces("", "");
    NameDataFiles();
    EXPECT_STREQ(App.Files.Pinyin.c_str(), "pinyin");
    EXPECT_STREQ(RecordFile("log.txt").c_str(), "log.txt");
}
