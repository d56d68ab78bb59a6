// Learner records: student.lumora, the import of student2.dat, the save and the release at exit.
#pragma once

constexpr long LearnerFileSize = 564282;
constexpr int LearnerStamp = 2004;

#include <cstdint>
#include <vector>

struct CodeSpan;

int LoadStudent();
int LoadStudent2();
// LoadStudent without the import: student.lumora, or a fresh queue when there is none. Also used
// to load records put back from a backup.
int LoadStudentFile();
// Set when the loaded learner file held bytes past its fixed size: the next save keeps it aside
// whole (as "<name>.longer-<date>") before writing the records back, and tells the learner.
extern bool LongerLearnerFile;
// Pauses, then writes sf04 and student.lumora. Returns 1 when both were written; when one could
// not be, tells the learner which and why (once for this save) and returns 0.
int SaveData();
// The same without the pause, for the save that precedes a stop on damaged data.
int SaveDataWithoutPause();
// The save after the window has closed: on failure the learner chooses between trying again and
// quitting without saving. Returns 1 when saved.
int SaveDataAtQuit();
// The learner file's content as SaveData writes it.
std::vector<std::uint8_t> LearnerFileBytes();
int TestData();
// The smallest span of codes holding every queued one; empty when none is queued.
CodeSpan FindQueuedCodes();
void FreeMemory();

// Step codes beyond the learner file's own: 665 student2.dat ends inside its data or names the
// code 0xFFFF (the import is refused there); 790 student.lumora could not be replaced (the old
// file is left whole); 692 student.lumora exists but cannot be opened or read (the start stops and
// the file is never written); 795 the learner chose to quit without saving after a failed save.
constexpr int StepImportDamaged = 665;
constexpr int StepLearnerUnreadable = 692;
constexpr int StepLearnerNotSaved = 790;
// 693 student.lumora is larger than its limit (refused unread, the start stops, the file is left).
constexpr int StepLearnerTooLarge = 693;
constexpr int StepQuitWithoutSaving = 795;
