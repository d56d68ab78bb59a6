// Points where the window layer (or a test) supplies what the standard-library code cannot do itself.
#pragma once
#include <ctime>
#include <string>

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
// -1, the default, never fails. CopyFailAfterBytes does the same to copies (backups, files kept
// aside), so that a test fills the disk during a backup alone.
extern long SaveFailAfterBytes;
extern long CopyFailAfterBytes;

// What the learner is told about their files while the program runs, phrased by the window layer
// once it installs its function; until then nothing is told.
enum class FileNoticeKind {
    LongerFileKeptAside,  // 'file' held more than the records; kept whole as 'copy' before a save
    BackupFailed,         // the daily copy of 'file' as 'copy' could not be written ('error')
};
struct FileNotice {
    FileNoticeKind kind;
    std::string file;
    std::string copy;
    int error = 0;
};
using NoticeFunction = void (*)(const FileNotice& notice);
extern NoticeFunction TellLearner;
void TellLearnerDefault(const FileNotice& notice);
