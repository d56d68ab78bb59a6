// State of the up/down indicator beside the level number, shared with the tests.
#pragma once
#include <cstdint>

#include "data/types.h"

// The rectangle the indicator covered when it was last drawn, and whether it is on screen.
extern Rect UpDownArea;
extern int UpDownShown;

// How a removed indicator is handed back to the window: InvalidateArea (display/canvas.h) in the
// program; tests put a counter here.
using InvalidateFunction = void (*)(int left, int top, int right, int bottom);
extern InvalidateFunction InvalidateUpDown;
