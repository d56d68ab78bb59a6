// The program-wide state object and its reset.
#include "data/program_state.h"

#include <new>

#include "data/backups.h"
#include "data/file_faults.h"
#include "data/file_places.h"
#include "data/learner.h"

ProgramState App;

// Read-only database files come from the read-only folder, the learner's two from the records folder.
void NameDataFiles() {
    App.Files.Glyphs = ReadOnlyFile("cbf");
    App.Files.GlyphIndex = ReadOnlyFile("cbfcon");
    App.Files.Info = ReadOnlyFile("cif");
    App.Files.InfoIndex = ReadOnlyFile("cifcon");
    App.Files.Frequency = ReadOnlyFile("index");
    App.Files.Pinyin = ReadOnlyFile("pinyin");
    App.Files.Settings = RecordFile("sf04");
    App.Files.Words = ReadOnlyFile("wtf");
    App.Files.Learner = RecordFile("student.lumora");
}

// Value-initialisation zeroes the whole object before the members' own initialisers run, so the
// tables start from zero as well, and no member added later can be missed. Lists, strings and
// open files are released by their destructors first. The notes kept beside the state (the last
// file fault, a failed backup, a learner file longer than its format) are forgotten too.
void ResetProgramState() {
    App.~ProgramState();
    new (&App) ProgramState();
    ForgetFileFault();
    ForgetBackupFailure();
    LongerLearnerFile = false;
    NameDataFiles();
}
