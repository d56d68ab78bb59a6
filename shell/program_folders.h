// Where the program's files are: read-only files beside the executable (the portable folder) or in
// ../share/lumora (an installed program); the learner's files beside them in the portable folder,
// in the per-user data folder when installed.
#pragma once
#include <QString>

struct ProgramFolders {
    QString ReadOnly;
    QString Records;
    bool Installed = false;
};

// The folders for an executable in 'programFolder'; the environment values are passed in.
ProgramFolders FindProgramFolders(const QString& programFolder, const char* xdgDataHome, const char* home);

// Creates the records folder of an installed program, and any missing parent, with mode 0700, and
// an empty settings file there when it has none (the package cannot ship one into a home). An
// existing folder and a settings file the learner has saved are left as they are. False when the
// folder cannot be made.
bool PrepareRecordsFolder(const QString& folder);

// Called once by the entry point, before Winmain and before the application object exists: finds
// the folders of the running executable (through /proc/self/exe, else 'argv0'), prepares the
// records folder and names them to the data files.
void ChooseFilePlaces(const char* argv0);
