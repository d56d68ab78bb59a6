// The program's entry: single instance, log switch, main window, event loop, save at the end.
#pragma once

#include "data/seams.h"
#include "shell/instance.h"

// Returns 1 after a run and when another copy was found, 0 after a fatal start-up error.
// Needs a QApplication.
int Winmain();

// Answers questions to the learner with a Qt message box; installed by Winmain unless a test
// has put its own answerer in place.
int AskLearnerQt(const char* text, const char* caption, int buttons, int owned);

// Tells the learner about their files in words (a message box owned by the main window once it
// exists); installed by Winmain unless a test has put its own in place.
void TellLearnerInWords(const FileNotice& notice);
