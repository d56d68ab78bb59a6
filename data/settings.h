// The settings file sf04 and the upgrade check against the earlier release's sf.
#pragma once

int LoadSettings();
// The settings half of SaveData: writes sf04 from the settings and ClosingWindowRect. Returns 1
// when written; 0 with the errno value of the reason in 'error' (when given), the old file kept.
int SaveSettings(int* error = nullptr);

// Written when sf04 could not be replaced; the old file is then left as it was.
constexpr int StepSettingsNotSaved = 531;
// A sf04 over its size limit (it holds 8 bytes) is no settings file: the start stops.
constexpr int StepSettingsTooLarge = 518;
