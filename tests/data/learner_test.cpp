// Learner records: the fresh queue, student.lumora, the import of student2.dat, the save and TestData.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>

#include "data/database.h"
#include "data/file_faults.h"
#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "tests/data/data_test_helpers.h"
#include "tests/support/test_support.h"

namespace {

using Four = std::array<int, 4>;

// A learner file with characters (QueuePos, Good, Wrong, Streak) and an empty exam history.
Bytes LearnerFile(std::map<int, Four> chars, int stamp = 2004) {
    Bytes out;
    Append16(out, stamp);
    for (int code = 0; code < 65535; ++code)
        for (int v : chars.count(code) ? chars[code] : Four{}) Append16(out, v);
    out.resize(564282, 0);
    return out;
}

// student2.dat with entries (code, QueuePos, Good, Wrong, Streak); a history follows its
// 'mark' (5000 when whole) when the header gives a version above 0.
Bytes OldLearnerFile(const std::string& header, std::vector<Four> entries, int streak, int mark = 0,
                     std::map<int, std::array<int, 3>> history = {}) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(header.size()));
    for (char c : header) out.push_back(static_cast<std::uint8_t>(c));
    Append16(out, 0xBEEF);
    Append16(out, static_cast<std::uint32_t>(entries.size()));
    for (const Four& e : entries) {
        Append16(out, e[0]);
        Append16(out, e[1]);
        out.insert(out.end(), {static_cast<std::uint8_t>(e[2]), static_cast<std::uint8_t>(e[3]), static_cast<std::uint8_t>(streak)});
    }
    if (mark) {
        Append16(out, 2);
        out.insert(out.end(), 14, 0x77);  // two obsolete entries, skipped
        Append16(out, mark);
        for (int k = 0; k < 5000; ++k)
            for (int v : history.count(k) ? history[k] : std::array<int, 3>{}) Append16(out, v);
    }
    return out;
}

// Ranks 1, 2, 3 are 0x4E00, 0x4E01, 0x4E02; 0x9F98 has a record but no rank.
void StandUpDatabase() {
    TestDatabase db;
    for (std::uint16_t code : {0x4E00, 0x4E01, 0x4E02}) db.AddChar(code, {"ma1 horse"});
    db.AddUnrankedChar(0x9F98, {"long2 dragon"});
    db.Write();
    ASSERT_EQ(LoadIndex(), 1);
}

Four Char(int code) {
    const CharRecord& r = App.CharTable[code];
    return {r.QueuePos, r.Good, r.Wrong, r.Streak};
}

Four Exam(int k) {  // in field order: Known, Margin, Day, Asked
    const ExamRecord& e = App.ExamHistory[k];
    return {e.Known, e.Margin, e.Day, e.Asked};
}

}  // namespace

// An upgrade without student2.dat starts a fresh queue too.
TEST(LoadStudent, FirstRunQueuesInFrequencyOrder) {
    TestFolder folder;
    StandUpDatabase();
    App.UpgradeFlag = 1;
    LogEnabled = 1;
    ASSERT_EQ(LoadStudent(), 1);
    EXPECT_EQ(LogLines(), (Lines{"LoadStudent", "LoadStudent2", "620", "TestData"}));
    EXPECT_EQ(App.QueueLength, 8000);
    EXPECT_EQ(Char(0x4E00), (Four{1, 0, 0, 0}));
    EXPECT_EQ(App.CharTable[App.FreqList[7999]].QueuePos, 8000);
    EXPECT_EQ(App.CharTable[0x9F98].QueuePos, 0);

    // A code listed twice in `index` keeps its later rank, which would leave a gap in a fresh
    // queue; the database is refused first, as one whose index counts a character short.
    ResetProgramState();  // also ends the upgrade
    std::filesystem::remove("log.txt");
    Bytes index = ReadFileBytes("index");
    index[4] = 0x00;  // rank 2 repeats 0x4E00
    WriteFileBytes("index", index);
    ASSERT_EQ(LoadIndex(), 0);
    EXPECT_EQ(LastFileFault.detail, FaultDetail::CodeTwice);
    EXPECT_EQ(LastFileFault.code, 0x4E00u);
    EXPECT_EQ(LoadStudent(), 0);
    EXPECT_EQ(LogLines(), (Lines{"LoadIndex", "473", "LoadStudent", "TestData", "369", "721"}));
}

TEST(LoadStudent, RefusedFilesAreNeitherLoadedNorTouched) {
    Bytes cut = LearnerFile({{0x4E00, {1, 5, 0, 5}}});
    cut.pop_back();
    const std::vector<std::pair<Bytes, Lines>> cases = {
        {LearnerFile({{0x4E00, {1, 5, 0, 5}}}, 2003), {"691"}},
        {cut, {"691"}},
        {LearnerFile({{10, {1, 0, 0, 0}}, {11, {1, 0, 0, 0}}, {12, {3, 0, 0, 0}}}), {"369", "721"}},
        {LearnerFile({{10, {1, 0, 0, 0}}, {11, {10001, 0, 0, 0}}}), {"721"}},  // above 10000: no code of its own
    };
    for (const auto& [bytes, log] : cases) {
        TestFolder folder;
        WriteFileBytes("student.lumora", bytes);
        App.CharTable[0x4E00].Good = 9;
        EXPECT_EQ(LoadStudent(), 0);
        EXPECT_EQ(LogLines(), log) << bytes.size();
        if (log[0] == "691") {
            EXPECT_EQ(App.CharTable[0x4E00].Good, 9);  // nothing half-loaded
        }
        EXPECT_EQ(ReadFileBytes("student.lumora"), bytes);
    }
}

TEST(TestData, RangeSumAndCount) {
    TestFolder folder;
    const std::vector<std::tuple<Four, int, int>> cases = {
        {{1, 2, 3, 0}, 3, 1}, {{1, 2, 4, 0}, 3, 0}, {{1, 2, 3, 0}, 4, 0}, {{1, 10001, 0, 0}, 2, 0}, {{0, 0, 0, 0}, 0, 1}};
    for (const auto& [positions, length, ok] : cases) {
        for (int i = 0; i < 4; ++i) App.CharTable[100 + i].QueuePos = static_cast<std::uint16_t>(positions[i]);
        App.QueueLength = length;
        App.QueuedCodes = FindQueuedCodes();
        EXPECT_EQ(TestData(), ok);
    }
    EXPECT_EQ(LogLines(), (Lines{"369", "370"}));
    // 50000 positions: m (m + 1) / 2 passes 2^31 and must be computed without overflow.
    for (int code = 0; code < 50000; ++code) App.CharTable[code].QueuePos = static_cast<std::uint16_t>(1 + code % 10000);
    App.QueueLength = 50000;
    App.QueuedCodes = FindQueuedCodes();
    EXPECT_EQ(TestData(), 0);
}

// Offered only on an upgrade; declined, the learner file is loaded instead.
TEST(LoadStudent2, DeclinedOrImportedWithTheHistoryWithoutMargins) {
    TestFolder folder;
    WriteFileBytes("student2.dat", OldLearnerFile("an old header", {{0x4E00, 2, 200, 3}, {0x4E01, 1, 1, 0}}, 4));
    WriteFileBytes("student.lumora", LearnerFile({{0x4E02, {1, 4, 0, 4}}}));
    LogEnabled = 1;
    EXPECT_EQ(LoadStudent2(), 0);  // no upgrade: nothing asked, nothing logged
    App.UpgradeFlag = 1;
    ScriptAnswers({AnswerNo});
    EXPECT_EQ(LoadStudent(), 1);
    EXPECT_EQ(Char(0x4E02), (Four{1, 4, 0, 4}));
    EXPECT_EQ(Char(0x4E00), (Four{0, 0, 0, 0}));
    ASSERT_EQ(AskedQuestions().size(), 1u);
    const AskedQuestion& asked = AskedQuestions()[0];
    EXPECT_EQ(std::make_tuple(asked.text, asked.caption, asked.buttons, asked.owned),
              std::make_tuple(std::string("Load existing student records?"), std::string("Lumora"), AskYesNo, 1));

    ResetProgramState();
    App.UpgradeFlag = 1;
    ScriptAnswers({AnswerYes});
    EXPECT_EQ(LoadStudent(), 1);  // version 0: characters only, and the learner file is not read
    EXPECT_EQ(Char(0x4E00), (Four{2, 200, 3, 4}));
    EXPECT_EQ(Char(0x4E02), (Four{0, 0, 0, 0}));
    EXPECT_EQ(App.QueueLength, 2);
    EXPECT_EQ(LogLines(), (Lines{"LoadStudent", "LoadStudent2", "624", "TestData", "LoadStudent", "LoadStudent2", "TestData"}));

    App.CharTable[0x4E01].QueuePos = 0;
    App.ExamHistory[0].Margin = 99;
    WriteFileBytes("student2.dat", OldLearnerFile("student2.dat version: 3", {{0x4E00, 1, 5, 1}}, 2, 5000,
                                                  {{0, {500, 2400, 100}}, {4999, {20, 900, 50}}}));
    ScriptAnswers({AnswerYes});
    ASSERT_EQ(LoadStudent2(), 1);
    EXPECT_EQ(Exam(0), (Four{2400, 0, 500, 100}));
    EXPECT_EQ(Exam(4999), (Four{900, 0, 20, 50}));
}

// A damaged import leaves no trace: the learner hears of it, the file stays, the start goes on
// as after a declined import.
TEST(LoadStudent2, DamagedImportsLeaveNoTraceAndAreReported) {
    Bytes entriesCut = OldLearnerFile("v", {{0x4E00, 1, 6, 0}, {0x4E01, 2, 1, 1}}, 6);
    entriesCut.pop_back();
    Bytes historyCut = OldLearnerFile("student2.dat version: 1", {{0x4E00, 1, 6, 0}}, 6, 5000);
    for (int i = 0; i < 3; ++i) historyCut.pop_back();
    const std::vector<std::pair<Bytes, Lines>> cases = {
        {OldLearnerFile("student2.dat version: 1", {{0x4E00, 1, 6, 0}}, 6, 4999), {"660"}},
        {OldLearnerFile("v", {{0x4E00, 1, 6, 0}, {0x4E01, 3, 0, 0}}, 6), {"369", "670"}},
        {entriesCut, {"665"}},
        {historyCut, {"665"}},
        {OldLearnerFile("v", {{0x4E00, 1, 6, 0}, {0xFFFF, 2, 0, 0}}, 6), {"665"}},
    };
    for (const auto& [bytes, log] : cases) {
        TestFolder folder;
        StandUpDatabase();
        WriteFileBytes("student2.dat", bytes);
        App.UpgradeFlag = 1;
        App.ExamHistory[3] = {1, 2, 3, 4};
        ScriptAnswers({AnswerYes});
        EXPECT_EQ(LoadStudent(), 1);
        EXPECT_EQ(LogLines(), log) << bytes.size();
        EXPECT_EQ(Char(0x4E00), (Four{1, 0, 0, 0}));  // nothing of the import is kept
        EXPECT_EQ(Char(0x4E01), (Four{2, 0, 0, 0}));
        EXPECT_EQ(Exam(0), (Four{0, 0, 0, 0}));
        EXPECT_EQ(Exam(3), (Four{1, 2, 3, 4}));
        EXPECT_EQ(App.QueueLength, 8000);
        EXPECT_EQ(ReadFileBytes("student2.dat"), bytes);
        ASSERT_EQ(AskedQuestions().size(), 2u);
        EXPECT_EQ(AskedQuestions()[1].text.rfind("The old records in student2.dat could not be read", 0), 0u);
    }
}

TEST(SaveData, SaveThenLoadKeepsEveryField) {
    TestFolder folder;
    StandUpDatabase();
    ASSERT_EQ(LoadStudent(), 1);
    App.CharTable[0x4E00] = {3, 65535, 7, 2, 1, 0};
    App.CharTable[0x4E02].QueuePos = 1;
    App.CharTable[0].Good = 11;
    App.CharTable[65534].Wrong = 12;
    App.ExamHistory[0] = {2400, 384, 731, 100};
    App.ExamHistory[4999] = {900, 84, 700, 50};
    SaveData();
    const Bytes saved = ReadFileBytes("student.lumora");
    ASSERT_EQ(saved.size(), 564282u);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 2), (Bytes{0xD4, 0x07}));
    EXPECT_EQ(Bytes(saved.begin() + 524282, saved.begin() + 524290),  // Day, Known, Margin, Asked
              (Bytes{0xDB, 0x02, 0x60, 0x09, 0x80, 0x01, 0x64, 0x00}));

    ResetProgramState();
    ASSERT_EQ(LoadStudent(), 1);
    EXPECT_EQ(Char(0x4E00), (Four{3, 65535, 7, 2}));
    EXPECT_EQ(Char(0x4E02), (Four{1, 0, 0, 0}));
    EXPECT_EQ(App.CharTable[0].Good, 11);
    EXPECT_EQ(App.CharTable[65534].Wrong, 12);
    EXPECT_EQ(App.QueueLength, 8000);
    EXPECT_EQ(Exam(0), (Four{2400, 384, 731, 100}));
    EXPECT_EQ(Exam(4999), (Four{900, 84, 700, 50}));

    // A write failing half-way keeps the old file byte for byte; the settings are saved on their own.
    App.CharTable[0x4E00].Good = 42;
    App.DisplayOptions = 3;
    SaveFailAfterBytes = 300000;
    SaveData();
    EXPECT_EQ(ReadFileBytes("student.lumora"), saved);
    EXPECT_FALSE(std::filesystem::exists("student.lumora.tmp"));
    EXPECT_EQ(ReadFileBytes("sf04")[1], 3);
    EXPECT_EQ(LogLines(), (Lines{"790"}));

    SaveFailAfterBytes = -1;
    std::filesystem::remove("student.lumora");
    std::filesystem::create_directory("student.lumora");  // cannot be replaced: skipped, no crash
    SaveData();
    EXPECT_TRUE(std::filesystem::is_directory("student.lumora"));
}
