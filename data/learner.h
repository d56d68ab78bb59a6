// Learner records: student.lumora, the import of student2.dat, the save and the release at exit.
#pragma once

constexpr long LearnerFileSize = 564282;
constexpr int LearnerStamp = 2004;

int LoadStudent();
int LoadStudent2();
void SaveData();
int TestData();
void FreeMemory();

// Step codes beyond the learner file's own: 665 student2.dat ends inside its data or names the
// code 0xFFFF (the import is refused there); 790 student.lumora could not be replaced (the old
// file is left whole).
constexpr int StepImportDamaged = 665;
constexpr int StepLearnerNotSaved = 790;
