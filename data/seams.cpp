// The seams' defaults: until the window layer installs its message box, questions are answered
// No and notices OK, so data code never blocks on a person.
#include "data/seams.h"

#include <chrono>
#include <thread>

int AskLearnerDefault(const char*, const char*, int buttons, int) {
    return buttons == AskYesNo ? AnswerNo : AnswerOk;
}

AskFunction AskLearner = AskLearnerDefault;

int SavePauseMs = 3000;

void PauseBeforeSaveDefault(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

PauseFunction PauseBeforeSave = PauseBeforeSaveDefault;

std::time_t NowSecondsDefault() { return std::time(nullptr); }

NowFunction NowSeconds = NowSecondsDefault;

long SaveFailAfterBytes = -1;
long CopyFailAfterBytes = -1;

void TellLearnerDefault(const FileNotice&) {}

NoticeFunction TellLearner = TellLearnerDefault;
