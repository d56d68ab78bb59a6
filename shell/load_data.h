// The loading sequence: names the data files and runs the six loaders behind a progress window.
#pragma once

class QProgressBar;

// Returns 1 when every loader succeeded, 0 (after its step code) when one failed.
int LoadData();

// The progress window; after a failed load it stays up until the start-up ends (null otherwise).
extern QProgressBar* ProgressWindow;
// How often the progress bar was stepped by the last LoadData; lets tests watch the steps.
extern int ProgressSteps;
// Takes down a progress window left by a failed load.
void CloseProgressWindow();
