// The settings file sf04 and the upgrade check against the earlier release's sf.
#pragma once

int LoadSettings();
// The settings half of SaveData: writes sf04 from the settings and ClosingWindowRect.
void SaveSettings();
