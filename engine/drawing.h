// The drawing operations the engine calls. Declared here, without any window types, so that the
// engine stays on the standard library; the display implements them, and each does nothing while
// there is no drawing area.
#pragma once

void ShowChar();
void ShowEntry(int row, int clear);
void UpdateStatusBar();
void ShowLevelBar();
void ShowScales();
void ShowUpDown(double change, int hide);
void ShowProgress();
void ShowExamples();
