// What the engine asks of the sound side: play the recorded readings of a decided character, and
// cut them when the character changes. Declared here without any sound types and implemented by the
// window layer, which connects its services when the main window exists; until then every call
// does nothing.
#pragma once
#include <string>
#include <vector>

struct SpeechServices {
    // Plays the files one after the other, cutting whatever plays; an empty list only cuts.
    void (*Speak)(const std::vector<std::string>& files);
    // Cuts what plays and forgets the files: the character they belong to is gone.
    void (*Silence)();
};

// Connects the sound side's services (null disconnects them).
void ConnectSpeech(const SpeechServices* services);

// The recordings of the current character's readings in row order; readings without one are left out.
std::vector<std::string> DecidedRecordings();
// The character has just been decided: its readings are heard, each once, in row order.
void SpeakReadings();
// A new character (or none): nothing of the old one goes on playing.
void StopSpeaking();
