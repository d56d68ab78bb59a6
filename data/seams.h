// Points where the window layer (or a test) supplies what the standard-library code cannot do itself.
#pragma once
#include <ctime>

// Buttons and answers of a question to the learner, numbered as on the original platform.
constexpr int AskOk = 0;
constexpr int AskYesNo = 4;
constexpr int AnswerOk = 1;
constexpr int AnswerYes = 6;
constexpr int AnswerNo = 7;

// Shows a message box owned by the main window when 'owned' is nonzero (else without owner) and
// returns the answer. Until the window layer sets it, questions are answered No and notices OK.
using AskFunction = int (*)(const char* text, const char* caption, int buttons, int owned);
extern AskFunction AskLearner;
int AskLearnerDefault(const char* text, const char* caption, int buttons, int owned);

// The pause before a save, 3000 ms; tests set it to 0.
extern int SavePauseMs;
// How the pause is spent: blocking sleep. A test puts a function here that looks at the screen
// when the pause begins instead of sleeping.
using PauseFunction = void (*)(int ms);
extern PauseFunction PauseBeforeSave;
void PauseBeforeSaveDefault(int ms);

// The present as calendar seconds since 1970 (UTC). Tests replace it to set the clock.
using NowFunction = std::time_t (*)();
extern NowFunction NowSeconds;
std::time_t NowSecondsDefault();

// Tests only: every file a save writes fails after this many bytes (the old file must survive);
// -1, the default, never fails.
extern long SaveFailAfterBytes;
