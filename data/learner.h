// Learner records: student.lumora, the import of student2.dat, the save and the release at exit.
#pragma once

constexpr long LearnerFileSize = 564282;
constexpr int LearnerStamp = 2004;

int LoadStudent();
int LoadStudent2();
void SaveData();
int TestData();
void FreeMemory();
