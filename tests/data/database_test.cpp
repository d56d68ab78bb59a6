// LoadIndex and ReadGlyph, against files written byte by byte or by TestDatabase.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "data/database.h"
#include "data/program_state.h"
#include "shell/log.h"
#include "tests/data/data_test_helpers.h"
#include "tests/support/test_support.h"

namespace {

bool Blank(const std::uint8_t* glyph) { return std::all_of(glyph, glyph + 72, [](int b) { return b == 0; }); }

// Ranks 1 and 2 are 0x4E00 (glyph bytes 1..72, weight 3000, both forms shown) and 0x4E01 (no
// glyph, simplified form 0x4E0B); 0x9F98 has a record but no rank.
void WriteSmallDatabase() {
    TestDatabase db;
    TestChar& yi = db.AddChar(0x4E00, {"yi1 one"});
    yi.weight = 3000;
    yi.showBoth = 1;
    for (int i = 0; i < 72; ++i) yi.glyph.push_back(static_cast<std::uint8_t>(i + 1));
    db.AddChar(0x4E01, {"ding1 nail"}).otherForm = 0x4E0B;
    db.AddUnrankedChar(0x9F98, {"long2 dragon"});
    db.Write();
}

}  // namespace

TEST(LoadIndex, EightByteGlyphIndexAndDuplicates) {
    TestFolder folder;
    WriteFileBytes("cbfcon", {0x01, 0x00, 0x00, 0x4E, 0x48, 0x00, 0x00, 0x00});
    Bytes cbf(144, 0);
    cbf[72] = 0x80;   // row 0, column 0
    cbf[143] = 0x01;  // row 23, column 23
    WriteFileBytes("cbf", cbf);
    EXPECT_EQ(LoadIndex(), 0);  // no cifcon: stops there with the glyph index in place
    EXPECT_EQ(LogLines(), (Lines{"452"}));
    EXPECT_EQ(App.GlyphOffset[0x4E00], 72u);
    std::uint8_t glyph[72];
    ASSERT_EQ(ReadGlyph(0x14E00, glyph), 1);  // only the low 16 bits count
    EXPECT_EQ(glyph[0], 0x80);
    EXPECT_EQ(glyph[71], 0x01);
    EXPECT_EQ(std::count(glyph, glyph + 72, 0), 70);

    // A later entry for the same code wins, in both index files.
    WriteFileBytes("cbfcon", IndexFile({{0x4E00, 72}, {0x4E00, 144}}));
    WriteFileBytes("cifcon", IndexFile({{0x4E01, 8}, {0x4E00, 2}, {0x4E00, 8}}));  // backwards, then on
    WriteFileBytes("cif", {0, 0, 10, 0, 0, 0, 0, 0, 20, 0, 0x8C, 0x4E, 1, 0});
    EXPECT_EQ(LoadIndex(), 0);
    EXPECT_EQ(LogLines(), (Lines{"452", "470"}));
    EXPECT_EQ(App.GlyphOffset[0x4E00], 144u);
    EXPECT_EQ(App.InfoOffset[0x4E00], 8u);
    EXPECT_EQ(App.CharTable[0x4E00].Weight, 20);
    EXPECT_EQ(App.OtherForm[0x4E00], 0x4E8C);
    EXPECT_EQ(App.CharTable[0x4E00].ShowBoth, 1);
    EXPECT_EQ(App.OtherForm[0x4E01], 0x4E8C);
}

TEST(LoadIndex, FillsEveryTable) {
    TestFolder folder;
    WriteSmallDatabase();
    LogEnabled = 1;
    ASSERT_EQ(LoadIndex(), 1);
    EXPECT_EQ(LogLines(), (Lines{"LoadIndex"}));
    EXPECT_EQ(App.FreqList[1], 0x4E01);
    EXPECT_EQ(App.FreqRank[0x4E01], 2);
    EXPECT_EQ(App.FreqRank[App.FreqList[7999]], 8000);
    EXPECT_EQ(App.CharTable[0x4E00].Weight, 3000);
    EXPECT_EQ(App.CharTable[0x4E00].ShowBoth, 1);
    EXPECT_EQ(App.OtherForm[0x4E00], 0x4E00);  // 0 in the file: its own simplified form
    EXPECT_EQ(App.OtherForm[0x4E01], 0x4E0B);
    EXPECT_NE(App.InfoOffset[0x9F98], 0u);
    EXPECT_EQ(App.FreqRank[0x9F98], 0);
    EXPECT_EQ(App.InfoOffset[0x4E0B], 0u);  // no record: no offset, no other form
    EXPECT_EQ(App.OtherForm[0x4E0B], 0);

    std::uint8_t glyph[72], other[72];
    ASSERT_EQ(ReadGlyph(App.FreqList[100], other), 1);  // moves the shared file position
    ASSERT_EQ(ReadGlyph(0x4E00, glyph), 1);
    for (int i = 0; i < 72; ++i) EXPECT_EQ(glyph[i], i + 1);
    for (std::uint32_t none : {0x4E01u, 0x4E0Bu, 0xFFFFu}) {
        std::fill(glyph, glyph + 72, 0xAA);
        EXPECT_EQ(ReadGlyph(none, glyph), 0);
        EXPECT_TRUE(Blank(glyph));
    }
    EXPECT_EQ(LogLines(), (Lines{"LoadIndex"}));

    std::filesystem::resize_file("cbf", App.GlyphOffset[0x4E00] + 40);  // a glyph cut short is blank
    ResetProgramState();
    ASSERT_EQ(LoadIndex(), 1);
    EXPECT_EQ(ReadGlyph(0x4E00, glyph), 0);
    EXPECT_TRUE(Blank(glyph));
}

TEST(LoadIndex, MissingFilesAndUnlistedCodes) {
    for (auto [file, code] : std::vector<std::pair<std::string, std::string>>{
             {"cbfcon", "439"}, {"cbf", "440"}, {"cifcon", "452"}, {"cif", "453"}, {"index", "470"}}) {
        TestFolder folder;
        WriteSmallDatabase();
        std::filesystem::remove(file);
        EXPECT_EQ(LoadIndex(), 0);
        EXPECT_EQ(LogLines(), (Lines{code})) << file;
    }
    TestFolder folder;
    WriteSmallDatabase();
    Bytes index = ReadFileBytes("index");
    index[10] = 0x0B;  // rank 5 becomes 0x4E0B, which has no record
    index[11] = 0x4E;
    WriteFileBytes("index", index);
    EXPECT_EQ(LoadIndex(), 0);
    EXPECT_EQ(LogLines(), (Lines{"480"}));
    EXPECT_EQ(App.FreqRank[0x4E0B], 5);  // stored before the check
    EXPECT_EQ(App.FreqList[5], 0);
}

TEST(LoadIndex, FilesEndingEarlyOrNamingFFFFAreRefused) {
    Bytes countPastEntries = IndexFile({{0x4E00, 72}});
    countPastEntries[0] = 2;
    Bytes offsetCut = IndexFile({{0x4E00, 72}});
    offsetCut.pop_back();
    Bytes indexFFFF = {0, 0, 0xFF, 0xFF}, index7999 = {0, 0};
    for (int i = 0; i < 7999; ++i) Append16(index7999, 0x5000 + i);
    const std::vector<std::tuple<std::string, Bytes, int>> cases = {
        {"cbfcon", {}, StepGlyphIndexDamaged},
        {"cbfcon", countPastEntries, StepGlyphIndexDamaged},
        {"cbfcon", offsetCut, StepGlyphIndexDamaged},
        {"cbfcon", IndexFile({{0xFFFF, 72}}), StepGlyphIndexDamaged},
        {"cifcon", {}, StepInfoIndexDamaged},
        {"cifcon", offsetCut, StepInfoIndexDamaged},
        {"cifcon", IndexFile({{0xFFFF, 2}}), StepInfoIndexDamaged},
        {"cif", {0, 0, 5}, StepInfoRecordDamaged},                          // weight cut short
        {"cif", {0, 0, 1, 0, 0xFF, 0xFF, 0, 0}, StepInfoRecordDamaged},     // other form 0xFFFF
        {"index", {}, StepFrequencyDamaged},
        {"index", index7999, StepFrequencyDamaged},
        {"index", indexFFFF, StepFrequencyDamaged},
    };
    for (const auto& [file, bytes, code] : cases) {
        TestFolder folder;
        TestDatabase().Write();
        if (file == "cif") WriteFileBytes("cifcon", IndexFile({{0x4E00, 2}}));
        WriteFileBytes(file, bytes);
        EXPECT_EQ(LoadIndex(), 0) << file << " of " << bytes.size() << " bytes";
        EXPECT_EQ(LogLines(), (Lines{std::to_string(code)})) << file << " of " << bytes.size() << " bytes";
        EXPECT_EQ(App.FreqRank[0xFFFF], 0);
    }
}
