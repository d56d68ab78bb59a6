// LoadSettings and the settings half of the save.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/log.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "data/settings.h"
#include "tests/support/test_support.h"

static std::vector<int> Loaded() {
    return {App.DisplayOptions, App.ExamLevel, App.ExamLength, App.WindowPosX, App.WindowPosY};
}

TEST(Settings, FilesWithoutSettingsGiveTheDefaultsAndTheUpgradeCheck) {
    // Empty, another marker, or a marker 1 cut short (its missing values would read as 65535).
    for (const Bytes& bytes : {Bytes{}, Bytes{0, 3, 1, 1, 9, 9, 9, 9}, Bytes{2, 3, 1, 1, 9, 9, 9, 9}, Bytes{1, 3, 1, 1, 9}}) {
        for (int oldSettings : {0, 1}) {
            TestFolder folder;
            WriteFileBytes("sf04", bytes);
            if (oldSettings) WriteFileBytes("sf", {});
            EXPECT_EQ(LoadSettings(), 1);
            EXPECT_EQ(Loaded(), (std::vector<int>{0, 2, 4, 50, 50})) << bytes.size();
            EXPECT_EQ(App.UpgradeFlag, oldSettings);
        }
    }
}

TEST(Settings, SaveLayoutRoundTripAndFailure) {
    TestFolder folder;
    App.DisplayOptions = CharsSimplified;
    App.ExamLevel = 2;
    App.ExamLength = 2;
    App.WindowPosX = 300;  // the closing rectangle is saved, not the start position
    App.ClosingWindowRect = {120, 80, 728, 524};
    SaveSettings();
    const Bytes saved = ReadFileBytes("sf04");
    EXPECT_EQ(saved, (Bytes{0x01, 0x01, 0x02, 0x02, 0x78, 0x00, 0x50, 0x00}));

    ResetProgramState();
    WriteFileBytes("sf", {});
    LogEnabled = 1;
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(Loaded(), (std::vector<int>{1, 2, 2, 120, 80}));
    EXPECT_EQ(App.UpgradeFlag, 0);  // a save ends the upgrade offer

    App.DisplayOptions = 3;
    SaveFailAfterBytes = 3;
    SaveSettings();
    EXPECT_EQ(ReadFileBytes("sf04"), saved);
    EXPECT_FALSE(std::filesystem::exists("sf04.tmp"));
    EXPECT_EQ(LogLines(), (Lines{"LoadSettings", "GetTime", std::to_string(StepSettingsNotSaved)}));
}
