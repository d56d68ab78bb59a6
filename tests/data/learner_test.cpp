// Learner records: the fresh queue, student.lumora, the import of student2.dat, the save and TestData.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <map>

#include "data/database.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "data/settings.h"
#include "shell/log.h"
#include "tests/support/test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Fields = std::array<std::uint16_t, 4>;  // in file order

void PutU16(Bytes& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void AppendU16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A learner file: character entries (QueuePos, Good, Wrong, Streak) and exam entries (Day, Known,
// Margin, Asked), everything else zero.
Bytes LearnerFile(std::map<int, Fields> chars, std::map<int, Fields> exams = {}, std::uint16_t stamp = 2004) {
    Bytes out(564282, 0);
    PutU16(out, 0, stamp);
    for (auto& [code, f] : chars)
        for (int i = 0; i < 4; ++i) PutU16(out, 2 + 8 * code + 2 * i, f[i]);
    for (auto& [k, f] : exams)
        for (int i = 0; i < 4; ++i) PutU16(out, 524282 + 8 * k + 2 * i, f[i]);
    return out;
}

struct OldEntry {
    std::uint16_t code, queuePos;
    std::uint8_t good, wrong, streak;
};

// student2.dat; a history (Day, Known, Asked) is written when 'historyMark' is nonzero.
Bytes OldLearnerFile(const std::string& header, std::vector<OldEntry> entries, std::uint16_t historyMark = 0,
                     std::map<int, std::array<std::uint16_t, 3>> history = {}) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(header.size()));
    out.insert(out.end(), header.begin(), header.end());
    AppendU16(out, 0xBEEF);  // not used
    AppendU16(out, static_cast<std::uint16_t>(entries.size()));
    for (const OldEntry& e : entries) {
        AppendU16(out, e.code);
        AppendU16(out, e.queuePos);
        out.insert(out.end(), {e.good, e.wrong, e.streak});
    }
    if (historyMark) {
        AppendU16(out, 2);  // two obsolete entries of seven bytes
        for (int i = 0; i < 14; ++i) out.push_back(0x77);
        AppendU16(out, historyMark);
        for (int k = 0; k < 5000; ++k) {
            std::array<std::uint16_t, 3> entry = history.count(k) ? history[k] : std::array<std::uint16_t, 3>{};
            for (std::uint16_t v : entry) AppendU16(out, v);
        }
    }
    return out;
}

// A database whose first ranks are 0x4E00, 0x4E01, 0x4E02, loaded with its settings.
void StandUpDatabase() {
    TestDatabase db;
    db.AddChar(0x4E00, {"yi1 one"});
    db.AddChar(0x4E01, {"ding1 nail"});
    db.AddChar(0x4E02, {"qi2 fall"});
    db.AddUnrankedChar(0x9F98, {"long2 dragon"});
    db.Write();
    ASSERT_EQ(LoadIndex(), 1);
    ASSERT_EQ(LoadSettings(), 1);
}

// An exam entry in field order: Known, Margin, Day, Asked.
std::array<int, 4> ExamFields(int k) {
    const ExamRecord& e = App.ExamHistory[k];
    return {e.Known, e.Margin, e.Day, e.Asked};
}

Fields CharFields(int code) {
    const CharRecord& r = App.CharTable[code];
    return {r.QueuePos, r.Good, r.Wrong, r.Streak};
}

void SetQueue(std::vector<std::uint16_t> positions, int queueLength) {
    for (std::size_t i = 0; i < positions.size(); ++i) App.CharTable[0x4E00 + i].QueuePos = positions[i];
    App.QueueLength = queueLength;
}

}  // namespace

TEST(LoadStudent, FirstRunQueuesEveryRankedCharacterInFrequencyOrder) {
    TestFolder folder;
    StandUpDatabase();
    LogEnabled = 1;
    ASSERT_EQ(LoadStudent(), 1);
    EXPECT_EQ(App.QueueLength, 8000);
    EXPECT_EQ(App.CharTable[0x4E00].QueuePos, 1);
    EXPECT_EQ(App.CharTable[0x4E01].QueuePos, 2);
    EXPECT_EQ(App.CharTable[0x4E02].QueuePos, 3);
    EXPECT_EQ(App.CharTable[App.FreqList[7999]].QueuePos, 8000);
    EXPECT_EQ(App.CharTable[0x9F98].QueuePos, 0);  // in the database, not in the frequency list
    EXPECT_EQ(CharFields(0x4E00), (Fields{1, 0, 0, 0}));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"LoadStudent", "TestData"}));
}

TEST(LoadStudent, AFrequencyListWithADuplicateLeavesAGapAndFails) {
    TestFolder folder;
    TestDatabase db;
    db.AddChar(0x4E00, {"yi1 one"});
    db.AddChar(0x4E01, {"ding1 nail"});
    db.Write();
    Bytes index = ReadFileBytes("index");
    index[4] = 0x00;  // rank 2 repeats 0x4E00, which keeps the later rank
    WriteFileBytes("index", index);
    ASSERT_EQ(LoadIndex(), 1);
    EXPECT_EQ(App.FreqRank[0x4E00], 2);
    EXPECT_EQ(LoadStudent(), 0);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"369", "721"}));
}

TEST(LoadStudent, SaveThenLoadKeepsEveryField) {
    TestFolder folder;
    StandUpDatabase();
    ASSERT_EQ(LoadStudent(), 1);
    App.CharTable[0x4E00] = {3, 65535, 7, 2, App.CharTable[0x4E00].Weight, 0};
    App.CharTable[0x4E02].QueuePos = 1;
    App.CharTable[0].Good = 11;      // the first code
    App.CharTable[65534].Wrong = 12; // and the last
    App.ExamHistory[0] = {2400, 384, 731, 100};
    App.ExamHistory[4999] = {900, 84, 700, 50};
    SaveData();

    Bytes saved = ReadFileBytes("student.lumora");
    ASSERT_EQ(saved.size(), 564282u);
    EXPECT_EQ(saved[0], 0xD4);
    EXPECT_EQ(saved[1], 0x07);
    // Exam entries are stored Day, Known, Margin, Asked.
    EXPECT_EQ(Bytes(saved.begin() + 524282, saved.begin() + 524290),
              (Bytes{0xDB, 0x02, 0x60, 0x09, 0x80, 0x01, 0x64, 0x00}));
    EXPECT_FALSE(std::filesystem::exists("student.lumora.tmp"));

    ResetProgramState();
    ASSERT_EQ(LoadStudent(), 1);
    EXPECT_EQ(CharFields(0x4E00), (Fields{3, 65535, 7, 2}));
    EXPECT_EQ(CharFields(0x4E02), (Fields{1, 0, 0, 0}));
    EXPECT_EQ(App.CharTable[0].Good, 11);
    EXPECT_EQ(App.CharTable[65534].Wrong, 12);
    EXPECT_EQ(App.QueueLength, 8000);
    EXPECT_EQ(ExamFields(0), (std::array<int, 4>{2400, 384, 731, 100}));
    EXPECT_EQ(ExamFields(4999), (std::array<int, 4>{900, 84, 700, 50}));
    EXPECT_EQ(App.ExamHistory[1].Day, 0);
}

TEST(LoadStudent, RefusesAWrongStampOrAShortFileAndLeavesItAlone) {
    const Bytes valid = LearnerFile({{0x4E00, {1, 5, 0, 5}}});
    Bytes cut = valid;
    cut.resize(564281);
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"stamp 2003", LearnerFile({{0x4E00, {1, 5, 0, 5}}}, {}, 2003)},
        {"one byte short", cut},
        {"only the stamp", {0xD4, 0x07}},
        {"empty", {}},
    };
    for (const auto& [what, bytes] : cases) {
        TestFolder folder;
        WriteFileBytes("student.lumora", bytes);
        App.CharTable[0x4E00].Good = 9;
        EXPECT_EQ(LoadStudent(), 0) << what;
        EXPECT_EQ(LogLines(), (std::vector<std::string>{"691"})) << what;
        EXPECT_EQ(App.CharTable[0x4E00].Good, 9) << what;  // nothing half-loaded
        EXPECT_EQ(ReadFileBytes("student.lumora"), bytes) << what;
    }
}

TEST(LoadStudent, InconsistentQueuesAreRefusedWith721) {
    const std::vector<std::tuple<const char*, Bytes, std::vector<std::string>>> cases = {
        {"positions 1, 1, 3", LearnerFile({{10, {1, 0, 0, 0}}, {11, {1, 0, 0, 0}}, {12, {3, 0, 0, 0}}}), {"369", "721"}},
        {"a position above 10000", LearnerFile({{10, {1, 0, 0, 0}}, {11, {10001, 0, 0, 0}}}), {"721"}},
    };
    for (const auto& [what, bytes, log] : cases) {
        TestFolder folder;
        WriteFileBytes("student.lumora", bytes);
        EXPECT_EQ(LoadStudent(), 0) << what;
        EXPECT_EQ(LogLines(), log) << what;
    }
    // A longer file is read up to its fixed size.
    TestFolder folder;
    Bytes longer = LearnerFile({{10, {1, 0, 0, 0}}});
    longer.push_back(0xFF);
    WriteFileBytes("student.lumora", longer);
    EXPECT_EQ(LoadStudent(), 1);
    EXPECT_EQ(App.QueueLength, 1);
}

TEST(TestData, ChecksRangeSumAndCount) {
    TestFolder folder;
    SetQueue({1, 2, 3}, 3);
    EXPECT_EQ(TestData(), 1);
    SetQueue({1, 2, 4}, 3);
    EXPECT_EQ(TestData(), 0);
    SetQueue({1, 2, 3}, 4);
    EXPECT_EQ(TestData(), 0);
    SetQueue({1, 10001, 0}, 2);  // above the bound: refused without a code
    EXPECT_EQ(TestData(), 0);
    SetQueue({0, 0, 0}, 0);
    EXPECT_EQ(TestData(), 1);  // an empty queue is consistent
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"369", "370"}));
}

// 50000 nonzero positions: m (m + 1) / 2 is 1250025000 only when computed without overflow.
TEST(TestData, SumsAHugeQueueWithoutOverflow) {
    TestFolder folder;
    for (int code = 0; code < 50000; ++code) App.CharTable[code].QueuePos = static_cast<std::uint16_t>(1 + code % 10000);
    App.QueueLength = 50000;
    EXPECT_EQ(TestData(), 0);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"369"}));
}

TEST(LoadStudent2, WithoutAnUpgradeNothingIsAskedOrLogged) {
    TestFolder folder;
    WriteFileBytes("student2.dat", OldLearnerFile("student2.dat version: 1", {{0x4E00, 1, 1, 1, 1}}));
    LogEnabled = 1;
    App.UpgradeFlag = 0;
    EXPECT_EQ(LoadStudent2(), 0);
    EXPECT_TRUE(AskedQuestions().empty());
    EXPECT_TRUE(LogLines().empty());
}

TEST(LoadStudent2, UpgradeWithoutTheOldFileFallsBackToAFreshQueue) {
    TestFolder folder;
    StandUpDatabase();
    App.UpgradeFlag = 1;
    EXPECT_EQ(LoadStudent(), 1);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"620"}));
    EXPECT_TRUE(AskedQuestions().empty());
    EXPECT_EQ(App.QueueLength, 8000);
}

TEST(LoadStudent2, DecliningLoadsTheLearnerFile) {
    TestFolder folder;
    WriteFileBytes("student2.dat", OldLearnerFile("student2.dat version: 0", {{0x4E00, 1, 9, 9, 9}}));
    WriteFileBytes("student.lumora", LearnerFile({{0x4E01, {1, 4, 0, 4}}}));
    App.UpgradeFlag = 1;
    ScriptAnswers({AnswerNo});
    EXPECT_EQ(LoadStudent(), 1);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"624"}));
    ASSERT_EQ(AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedQuestions()[0].text, "Load existing student records?");
    EXPECT_EQ(AskedQuestions()[0].caption, "Lumora");
    EXPECT_EQ(AskedQuestions()[0].buttons, AskYesNo);
    EXPECT_EQ(CharFields(0x4E01), (Fields{1, 4, 0, 4}));
    EXPECT_EQ(CharFields(0x4E00), (Fields{0, 0, 0, 0}));
}

TEST(LoadStudent2, VersionZeroImportsOnlyTheCharacters) {
    TestFolder folder;
    WriteFileBytes("student2.dat", OldLearnerFile("an old header", {{0x4E00, 2, 200, 3, 4}, {0x4E01, 1, 1, 0, 1}}));
    WriteFileBytes("student.lumora", LearnerFile({{0x4E02, {1, 4, 0, 4}}}, {{0, {700, 1, 1, 50}}}));
    App.UpgradeFlag = 1;
    ScriptAnswers({AnswerYes});
    LogEnabled = 1;
    EXPECT_EQ(LoadStudent(), 1);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"LoadStudent", "LoadStudent2", "TestData"}));
    EXPECT_EQ(CharFields(0x4E00), (Fields{2, 200, 3, 4}));
    EXPECT_EQ(CharFields(0x4E01), (Fields{1, 1, 0, 1}));
    EXPECT_EQ(CharFields(0x4E02), (Fields{0, 0, 0, 0}));  // the learner file is not read
    EXPECT_EQ(App.QueueLength, 2);
    EXPECT_EQ(App.ExamHistory[0].Day, 0);
}

TEST(LoadStudent2, LaterVersionsImportTheHistoryWithoutMargins) {
    TestFolder folder;
    WriteFileBytes("student2.dat", OldLearnerFile("student2.dat version: 3", {{0x4E00, 1, 5, 1, 2}}, 5000,
                                                  {{0, {500, 2400, 100}}, {4999, {20, 900, 50}}}));
    App.UpgradeFlag = 1;
    App.ExamHistory[0].Margin = 99;
    ScriptAnswers({AnswerYes});
    ASSERT_EQ(LoadStudent2(), 1);
    EXPECT_EQ(ExamFields(0), (std::array<int, 4>{2400, 0, 500, 100}));
    EXPECT_EQ(ExamFields(4999), (std::array<int, 4>{900, 0, 20, 50}));
    EXPECT_EQ(CharFields(0x4E00), (Fields{1, 5, 1, 2}));

    // The next save writes the new format; the import then is history.
    SaveData();
    EXPECT_EQ(ReadFileBytes("student.lumora").size(), 564282u);
    EXPECT_EQ(ReadFileBytes("sf04")[0], 1);
}

TEST(LoadStudent2, FailuresFallBackAndKeepWhatWasStored) {
    struct Case {
        const char* what;
        Bytes file;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"no 5000 before the history",
         OldLearnerFile("student2.dat version: 1", {{0x4E00, 1, 6, 0, 6}}, 4999), {"660"}},
        {"inconsistent positions",
         OldLearnerFile("student2.dat version: 0", {{0x4E00, 1, 6, 0, 6}, {0x4E01, 3, 0, 0, 0}}), {"369", "670"}},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        StandUpDatabase();
        WriteFileBytes("student2.dat", c.file);
        App.UpgradeFlag = 1;
        ScriptAnswers({AnswerYes});
        EXPECT_EQ(LoadStudent(), 1) << c.what;
        EXPECT_EQ(LogLines(), c.log) << c.what;
        // A fresh queue overwrites only the positions: the imported counts stay.
        EXPECT_EQ(CharFields(0x4E00), (Fields{1, 6, 0, 6})) << c.what;
        EXPECT_EQ(App.QueueLength, 8000) << c.what;
    }
}

TEST(LoadStudent2, ADamagedOldFileIsRefused) {
    Bytes entriesCut = OldLearnerFile("student2.dat version: 0", {{0x4E00, 1, 1, 1, 1}, {0x4E01, 2, 1, 1, 1}});
    entriesCut.resize(entriesCut.size() - 1);
    Bytes historyCut = OldLearnerFile("student2.dat version: 1", {{0x4E00, 1, 1, 1, 1}}, 5000);
    historyCut.resize(historyCut.size() - 3);
    Bytes headerCut = {30, 's', 't'};
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"entries cut", entriesCut},
        {"history cut", historyCut},
        {"header cut", headerCut},
        {"code 0xFFFF", OldLearnerFile("x", {{0xFFFF, 1, 1, 1, 1}})},
        {"empty", {}},
    };
    for (const auto& [what, bytes] : cases) {
        TestFolder folder;
        WriteFileBytes("student2.dat", bytes);
        App.UpgradeFlag = 1;
        ScriptAnswers({AnswerYes});
        EXPECT_EQ(LoadStudent2(), 0) << what;
        EXPECT_EQ(LogLines(), (std::vector<std::string>{std::to_string(StepImportDamaged)})) << what;
    }
}

TEST(SaveData, AWriteThatFailsHalfWayKeepsTheOldFilesByteForByte) {
    TestFolder folder;
    StandUpDatabase();
    ASSERT_EQ(LoadStudent(), 1);
    App.ClosingWindowRect = {120, 80, 0, 0};
    SaveData();
    const Bytes oldLearner = ReadFileBytes("student.lumora");
    const Bytes oldSettings = ReadFileBytes("sf04");

    App.CharTable[0x4E00].Good = 42;
    App.ExamHistory[0] = {100, 10, 9, 50};
    App.DisplayOptions = 3;
    SaveFailAfterBytes = 300000;  // past the settings, half-way through the learner file
    SaveData();
    EXPECT_EQ(ReadFileBytes("student.lumora"), oldLearner);
    EXPECT_NE(ReadFileBytes("sf04"), oldSettings);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{std::to_string(StepLearnerNotSaved)}));

    SaveFailAfterBytes = 0;
    App.DisplayOptions = 0;
    const Bytes settingsBefore = ReadFileBytes("sf04");
    SaveData();
    EXPECT_EQ(ReadFileBytes("student.lumora"), oldLearner);
    EXPECT_EQ(ReadFileBytes("sf04"), settingsBefore);
    EXPECT_FALSE(std::filesystem::exists("student.lumora.tmp"));
    EXPECT_FALSE(std::filesystem::exists("sf04.tmp"));

    SaveFailAfterBytes = -1;
    SaveData();
    ResetProgramState();
    ASSERT_EQ(LoadStudent(), 1);
    EXPECT_EQ(App.CharTable[0x4E00].Good, 42);
}

TEST(SaveData, ALearnerFileThatCannotBeReplacedIsSkipped) {
    TestFolder folder;
    std::filesystem::create_directory("student.lumora");
    App.ClosingWindowRect = {120, 80, 0, 0};
    SaveData();
    EXPECT_TRUE(std::filesystem::is_directory("student.lumora"));
    EXPECT_EQ(ReadFileBytes("sf04").size(), 8u);  // the settings are still saved
    EXPECT_EQ(LogLines(), (std::vector<std::string>{std::to_string(StepLearnerNotSaved)}));
}

TEST(SaveData, PausesForTheSeamsTime) {
    TestFolder folder;
    SavePauseMs = 40;
    auto start = std::chrono::steady_clock::now();
    SaveData();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
    EXPECT_EQ(ReadFileBytes("student.lumora").size(), 564282u);
}

TEST(FreeMemory, ReleasesTheReadingsAndClosesTheDataFiles) {
    TestFolder folder;
    StandUpDatabase();
    App.ReadingList.Append(StringPair{WideString("yi1"), WideString("one")});
    LogEnabled = 1;
    FreeMemory();
    EXPECT_EQ(App.ReadingList.count, 0);
    EXPECT_EQ(App.ReadingList.head, nullptr);
    EXPECT_FALSE(App.GlyphFile.IsOpen());
    EXPECT_FALSE(App.InfoFile.IsOpen());
    std::uint8_t glyph[72];
    EXPECT_EQ(ReadGlyph(App.FreqList[10], glyph), 0);  // a late draw finds no file, not a crash
    FreeMemory();
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"FreeMemory", "FreeMemory"}));
}
