// What the engine asks of the main window. Declared without window types; the window layer
// implements it, and every call does nothing while there is no main window.
#pragma once

// Menu commands.
constexpr int IDM_NEXT = 112;
constexpr int IDM_BEGIN = 113;
constexpr int IDM_QUIT = 114;
constexpr int IDM_ABOUT = 116;
constexpr int IDM_HELP = 117;
constexpr int IDM_CHAROPTIONS = 119;
constexpr int IDM_EXAMOPTIONS = 120;
constexpr int IDM_END = 121;
constexpr int IDC_OK = 1032;

// Greys (enabled false) or enables a menu command.
void EnableCommand(int id, bool enabled);
// Runs a command through the main window's dispatcher, nested, to its end.
void SendCommand(int id);
// The orderly stop without saving: ends the event loop with the given quit code.
void SendAbort(int quitCode);
// Invalidates the whole drawing area without erasing and repaints it at once.
void RepaintMainWindow();
// Invalidates a rectangle (right and bottom excluded) so the next paint redraws it.
void InvalidateArea(int left, int top, int right, int bottom);
// Removes the entry caret.
void DestroyCaret();
