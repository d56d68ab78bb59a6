// The program-wide state object and its reset.
#include "data/program_state.h"

#include <cstring>
#include <new>

#include "data/backups.h"
#include "data/file_faults.h"
#include "data/file_places.h"
#include "data/learner.h"

// The tables are left out here on purpose: the one object lives in static storage, which starts
// zeroed, and writing those zeros again would make every page of the tables resident (about
// 1.8 MB) where loading fills only the part the database uses. A reset zeroes them itself.
ProgramState::ProgramState()
    : QueueLength(0),
      DisplayOptions(0),
      ExamLevel(0),
      ExamLength(0),
      WindowPosX(0),
      WindowPosY(0),
      UpgradeFlag(0),
      ClosingWindowRect{0, 0, 0, 0},
      TrainingMode(false),
      Answered(false),
      CurrentChar(0),
      ReadingCount(0),
      ActiveRow(0),
      RowCorrect{},
      ExamRange(0),
      ExamQuestions(0),
      AnswerCount(0),
      ExamGood(0),
      KnownCount(0),
      KnownMargin(0.0),
      LearnedPercent(0.0),
      RandomState(1) {}

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

// Destroying and rebuilding in place releases lists, strings and open files through their own
// destructors and cannot miss a member added later.
void ResetProgramState() {
    App.~ProgramState();
    new (&App) ProgramState();
    std::memset(App.GlyphOffset, 0, sizeof App.GlyphOffset);
    std::memset(App.InfoOffset, 0, sizeof App.InfoOffset);
    std::memset(App.OtherForm, 0, sizeof App.OtherForm);
    std::memset(App.CharTable, 0, sizeof App.CharTable);
    std::memset(App.FreqRank, 0, sizeof App.FreqRank);
    std::memset(App.FreqList, 0, sizeof App.FreqList);
    std::memset(App.ExamHistory, 0, sizeof App.ExamHistory);
    ForgetFileFault();
    ForgetBackupFailure();
    LongerLearnerFile = false;
    NameDataFiles();
}
