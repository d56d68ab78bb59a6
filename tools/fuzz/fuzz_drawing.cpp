// The engine's drawing operations, drawing nothing: the fuzz targets run the engine without a
// window.
#include "engine/drawing.h"

void ShowChar() {}
void ShowEntry(int, int) {}
void UpdateStatusBar() {}
void ShowLevelBar() {}
void ShowScales() {}
void ShowUpDown(double, int) {}
void ShowProgress() {}
void ShowExamples() {}
