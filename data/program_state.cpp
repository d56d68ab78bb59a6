// The program-wide state object and its reset.
#include "data/program_state.h"

#include <new>

#include "data/file_places.h"

ProgramState::ProgramState()
    : GlyphOffset{},
      InfoOffset{},
      OtherForm{},
      CharTable{},
      FreqRank{},
      FreqList{},
      QueueLength(0),
      ExamHistory{},
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
    NameDataFiles();
}
