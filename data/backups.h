// Daily copies of the learner's records. At the first save of each calendar day, the learner file
// and sf04 as they were before that save are copied into the folder "backups" beside the records,
// as "student-YYYY-MM-DD.lumora" and "sf04-YYYY-MM-DD". The seven newest copies are kept, and of the
// older ones the newest of each calendar week (Monday to Sunday) for the four weeks before the week
// of the oldest of those seven; the rest are removed. A copy is written like a save (a temporary
// file, synced, renamed, the folder synced), and only a file that loads is ever copied.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/file_faults.h"
#include "data/whole_file.h"

// Step codes: 797 the day's copy could not be written (the save itself goes on and succeeds);
// 798 records could not be put back from a backup.
constexpr int StepBackupFailed = 797;
constexpr int StepRestoreFailed = 798;

constexpr int DailyCopiesKept = 7;
constexpr int WeeklyCopiesKept = 4;

// Whether the bytes of a learner file load: at least its fixed size, its stamp, and a learning
// queue in order (positions 1 … n, none above 10000). None when they do; 'learned' (when given)
// counts the queued characters answered right more often than wrong, as the status bar does.
FaultDetail CheckLearnerBytes(const std::uint8_t* bytes, std::size_t size, int* learned = nullptr);

// The folder of the copies.
std::string BackupFolder();

// The dates (YYYY-MM-DD) among 'dates' that the rotation keeps.
std::vector<std::string> DatesKept(std::vector<std::string> dates);

// What a save copies when it is the day's first: the files as they were before it. Read before the
// save writes, written after it, so the copy never delays the save.
struct PendingBackup {
    bool due = false;
    std::string date;
    FileBytes learner;
    FileBytes settings;
    bool settingsThere = false;
};
PendingBackup PrepareBackup();
// Writes the copies and rotates; a failure is logged, told to the learner once a run, and changes
// nothing else. Returns 1 when there was nothing to do or all went well.
int WriteBackup(PendingBackup& pending);
// The next failure is told again (a new run).
void ForgetBackupFailure();

// One copy of the learner file in the backups folder.
struct Backup {
    std::string date;  // YYYY-MM-DD
    std::string path;
    bool loads = false;
    int learned = 0;
};
// Every copy, newest first, each read and checked.
std::vector<Backup> ListBackups();
// The newest copy that loads; its path is empty when none does.
Backup NewestLoadableBackup();

// A name beside 'name' for a file kept aside today, "<name>.<what>-<date>", with "-2", "-3" … added
// when one of that name is there already; empty when none is free. Nothing kept aside is ever
// written over.
std::string FreeAsideName(const std::string& name, const char* what);

// Puts the records of 'backup' back: the learner file, if there is one, is first moved aside as
// "<name>.<what>-<date>" (never deleted), then the copy is written in its place like a save.
// Returns 1 with the name it was moved to in 'aside' (empty when there was no file); 0 after step
// code 798 with the reason in 'error', the learner file left or put back as it was.
int RestoreBackup(const Backup& backup, const char* what, std::string& aside, int& error);
