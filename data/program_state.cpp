// The program-wide state object and its reset.
#include "data/program_state.h"

#include <new>

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

void NameDataFiles() {
    App.Files.Glyphs = "cbf";
    App.Files.GlyphIndex = "cbfcon";
    App.Files.Info = "cif";
    App.Files.InfoIndex = "cifcon";
    App.Files.Frequency = "index";
    App.Files.Pinyin = "pinyin";
    App.Files.Settings = "sf04";
    App.Files.Words = "wtf";
    App.Files.Learner = "student.lumora";
}

// Destroying and rebuilding in place releases lists, strings and open files through their own
// destructors and cannot miss a member added later.
void ResetProgramState() {
    App.~ProgramState();
    new (&App) ProgramState();
    NameDataFiles();
}
