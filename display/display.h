// The drawing operations the engine calls. Declared without any window types so that the engine
// stays on the standard library; each does nothing while there is no main window.
#pragma once

void ShowChar();
void ShowEntry(int row, int clear);
void UpdateStatusBar();
void ShowLevelBar();
void ShowScales();
void ShowUpDown(double change, int hide);
void ShowProgress();
void ShowExamples();
