// LoadSettings and the settings half of the save: the eight-byte layout and the upgrade check.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/program_state.h"
#include "data/seams.h"
#include "data/settings.h"
#include "shell/log.h"
#include "tests/support/test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void ExpectDefaults(const char* what) {
    EXPECT_EQ(App.DisplayOptions, 0) << what;
    EXPECT_EQ(App.ExamLevel, 2) << what;
    EXPECT_EQ(App.ExamLength, 4) << what;
    EXPECT_EQ(App.WindowPosX, 50) << what;
    EXPECT_EQ(App.WindowPosY, 50) << what;
    EXPECT_TRUE(App.TrainingMode) << what;
}

}  // namespace

TEST(Settings, FilesWithoutSettingsGiveTheDefaults) {
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"marker 0", {0, 3, 1, 1, 9, 9, 9, 9}},
        {"marker 2", {2, 3, 1, 1, 9, 9, 9, 9}},
        {"marker 1 but cut short", {1, 3, 1, 1, 9}},
        {"only the marker", {1}},
    };
    for (const auto& [what, bytes] : cases) {
        for (bool oldSettings : {false, true}) {
            TestFolder folder;
            WriteFileBytes("sf04", bytes);
            if (oldSettings) WriteFileBytes("sf", {1, 2, 3});
            EXPECT_EQ(LoadSettings(), 1) << what;
            ExpectDefaults(what);
            // Without settings, an earlier release's file means this is the first start after an upgrade.
            EXPECT_EQ(App.UpgradeFlag, oldSettings ? 1 : 0) << what;
            EXPECT_TRUE(LogLines().empty()) << what;
        }
    }
}

TEST(Settings, StoredSettingsAreTakenAsTheyAre) {
    TestFolder folder;
    WriteFileBytes("sf04", {1, 3, 7, 1, 0x34, 0x12, 0xFF, 0xFF, 0xEE});  // a ninth byte is ignored
    WriteFileBytes("sf", {});
    EXPECT_EQ(LoadSettings(), 1);
    EXPECT_EQ(App.DisplayOptions, 3);
    EXPECT_EQ(App.ExamLevel, 7);  // unknown values are kept; their users fall back
    EXPECT_EQ(App.ExamLength, 1);
    EXPECT_EQ(App.WindowPosX, 0x1234);
    EXPECT_EQ(App.WindowPosY, 0xFFFF);  // unsigned
    EXPECT_TRUE(App.TrainingMode);
    EXPECT_EQ(App.UpgradeFlag, 0);  // sf is not looked at when sf04 holds settings
}

TEST(Settings, MissingFileStopsTheStartEvenWithOldSettings) {
    TestFolder folder;
    WriteFileBytes("sf", {});
    LogEnabled = 1;
    SetLocalNow(2004, 1, 1);
    EXPECT_EQ(LoadSettings(), 0);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"LoadSettings", "GetTime", "517"}));
    EXPECT_EQ(App.UpgradeFlag, 0);
}

TEST(Settings, LoadingReseedsTheGenerator) {
    TestFolder folder;
    WriteFileBytes("sf04", {});
    SetLocalNow(2004, 3, 15, 10, 20, 30);
    EXPECT_EQ(LoadSettings(), 1);
    EXPECT_EQ(App.RandomState, 3u * 30u * 20u * 15u);
}

TEST(Settings, SaveWritesTheEightByteLayout) {
    TestFolder folder;
    App.DisplayOptions = CharsSimplified;
    App.ExamLevel = 2;
    App.ExamLength = 2;
    App.ClosingWindowRect = {120, 80, 728, 524};
    App.WindowPosX = 300;  // the position saved is the closing rectangle's, not the start position
    SaveSettings();
    EXPECT_EQ(ReadFileBytes("sf04"), (Bytes{0x01, 0x01, 0x02, 0x02, 0x78, 0x00, 0x50, 0x00}));

    // Before the window has closed the rectangle is (0, 0); higher bits of every value are dropped.
    App.ClosingWindowRect = {0, 0, 0, 0};
    App.DisplayOptions = 0x103;
    SaveSettings();
    EXPECT_EQ(ReadFileBytes("sf04"), (Bytes{0x01, 0x03, 0x02, 0x02, 0, 0, 0, 0}));
    EXPECT_FALSE(std::filesystem::exists("sf04.tmp"));
}

TEST(Settings, SaveThenLoadKeepsEveryField) {
    TestFolder folder;
    App.DisplayOptions = CharsSimplified | ExamplesSimplified;
    App.ExamLevel = 4;
    App.ExamLength = 1;
    App.ClosingWindowRect = {1919, 1079, 0, 0};
    SaveSettings();
    ResetProgramState();
    WriteFileBytes("sf", {});
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(App.DisplayOptions, 3);
    EXPECT_EQ(App.ExamLevel, 4);
    EXPECT_EQ(App.ExamLength, 1);
    EXPECT_EQ(App.WindowPosX, 1919);
    EXPECT_EQ(App.WindowPosY, 1079);
    EXPECT_EQ(App.UpgradeFlag, 0);  // a save ends the upgrade offer
}

TEST(Settings, AFailedSaveKeepsTheOldFile) {
    TestFolder folder;
    const Bytes old{1, 0, 4, 4, 50, 0, 50, 0};
    WriteFileBytes("sf04", old);
    App.DisplayOptions = 1;
    App.ClosingWindowRect = {120, 80, 0, 0};
    SaveFailAfterBytes = 3;
    SaveSettings();
    EXPECT_EQ(ReadFileBytes("sf04"), old);
    EXPECT_FALSE(std::filesystem::exists("sf04.tmp"));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{std::to_string(StepSettingsNotSaved)}));
}
