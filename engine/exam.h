// Exam mode: start, set-up, end with the estimate, and the quit guard.
#pragma once

void OnBeginExam();
void PrepareTest();
void OnEndExam();
int OnQuit();
