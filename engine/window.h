// What the engine asks of its main window: commands, the abort, the repaint, the caret and the flush.
// Declared here, without window types, and implemented by the window layer, which connects its
// services when the main window exists; until then, and after, every call does nothing.
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
constexpr int IDM_SPEAK = 122;   // replays the decided character's readings
constexpr int IDM_SOUND = 123;   // sound on or off
constexpr int IDM_RESTORE = 124;

struct WindowServices {
    void (*EnableCommand)(int id, bool enabled);
    void (*SendCommand)(int id);
    void (*SendAbort)(int quitCode);
    void (*RepaintMainWindow)();
    void (*DestroyCaret)();
    void (*FlushDrawing)();
};

// Connects the window layer's services (null disconnects them).
void ConnectWindow(const WindowServices* services);

// Greys (enabled false) or enables a menu command.
void EnableCommand(int id, bool enabled);
// Runs a command through the main window's dispatcher, nested, to its end.
void SendCommand(int id);
// The orderly stop without saving: ends the event loop with the given quit code.
void SendAbort(int quitCode);
// Invalidates the whole drawing area without erasing and repaints it at once.
void RepaintMainWindow();
// Removes the entry caret.
void DestroyCaret();
// Puts everything drawn so far on the screen now, without handling any input. Called before the
// program blocks (the save pause), so the learner never looks at a stale picture meanwhile.
void FlushDrawing();
