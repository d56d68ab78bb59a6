// The settings file sf04 and the upgrade check against the earlier release's sf.
#pragma once

int LoadSettings();
// The settings half of SaveData: writes sf04 from the settings and ClosingWindowRect.
void SaveSettings();

// Written when sf04 could not be replaced; the old file is then left as it was.
constexpr int StepSettingsNotSaved = 531;
