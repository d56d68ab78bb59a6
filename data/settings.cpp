// The settings file sf04: a marker byte 1 followed by seven bytes of settings.
#include "data/settings.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "data/byte_io.h"
#include "data/clock.h"
#include "data/file_faults.h"
#include "data/file_places.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/replace_file.h"

namespace {

constexpr std::size_t SettingsSize = 8;

}  // namespace

int LoadSettings() {
    LogTrace("LoadSettings");
    GetTime();  // reseeds the generator before the first character is chosen

    ByteFile settings(App.Files.Settings.c_str(), "rb");
    if (!settings.IsOpen()) return FailOnFile(517, OpenFault(App.Files.Settings.c_str(), errno));
    std::uint64_t size = 0;
    if (!WithinLimit(fileno(settings.get()), SettingsLimit, &size))
        return FailOnFile(StepSettingsTooLarge, TooLargeFault(App.Files.Settings.c_str(), size, SettingsLimit));
    App.UpgradeFlag = 0;
    std::uint8_t bytes[SettingsSize] = {};
    std::size_t count = std::fread(bytes, 1, SettingsSize, settings.get());

    // A file cut short holds no settings: its missing values would read as 65535.
    if (count == SettingsSize && bytes[0] == 1) {
        App.DisplayOptions = bytes[1];
        App.ExamLevel = bytes[2];
        App.ExamLength = bytes[3];
        App.WindowPosX = bytes[4] | (bytes[5] << 8);
        App.WindowPosY = bytes[6] | (bytes[7] << 8);
        App.TrainingMode = true;
        return 1;
    }
    if (ByteFile oldSettings(RecordFile("sf").c_str(), "rb"); oldSettings.IsOpen()) App.UpgradeFlag = 1;
    App.DisplayOptions = 0;
    App.ExamLevel = 2;
    App.ExamLength = 4;
    App.TrainingMode = true;
    App.WindowPosX = 50;
    App.WindowPosY = 50;
    return 1;
}

int SaveSettings(int* error) {
    const std::uint32_t left = static_cast<std::uint32_t>(App.ClosingWindowRect.left);
    const std::uint32_t top = static_cast<std::uint32_t>(App.ClosingWindowRect.top);
    const std::uint8_t bytes[SettingsSize] = {
        1,
        static_cast<std::uint8_t>(App.DisplayOptions),
        static_cast<std::uint8_t>(App.ExamLevel),
        static_cast<std::uint8_t>(App.ExamLength),
        static_cast<std::uint8_t>(left),
        static_cast<std::uint8_t>(left >> 8),
        static_cast<std::uint8_t>(top),
        static_cast<std::uint8_t>(top >> 8),
    };
    if (ReplaceFile(App.Files.Settings.c_str(), bytes, SettingsSize, error)) return 1;
    LogStep(StepSettingsNotSaved);
    return 0;
}
