// The learner's choice of sound, kept in its own small file "sound" beside the learner's records,
// so that no other file changes its format: "off" silences the program, anything else (or no
// file) leaves the sound on.
#pragma once

// 1 when the sound is on, 0 when the learner turned it off.
int LoadSoundChoice();
// Writes the choice; 1 when written, 0 when the file could not be replaced (the old one is kept).
int SaveSoundChoice(int on);
