// The sound of the main window: the Speak and Sound commands, and the sound helper process that
// plays the decided character's recorded readings.
#pragma once
#include <QString>

class LumoraWindow;

// Called once the menu exists: Sound checked as the learner left it, Speak greyed, the engine's
// sound services connected.
void PrepareSoundCommands(LumoraWindow* window);
// Speak: the decided character's readings once more.
void OnSpeak();
// Sound: turns the sound off or on and keeps the choice.
void OnSoundToggled();
// Cuts the sound and ends the helper; also done when the event loop ends (Quit, an abort).
void EndSound();

// The helper program. Empty (the default) finds "lumora-voice" beside the program, else in
// ../lib/lumora relative to it. Tests point it elsewhere.
extern QString VoiceHelper;
// Back to the state of a fresh start: sound assumed available, nothing decided. For tests.
void ResetSound();
