// LoadIndex and ReadGlyph, against files written byte by byte or by TestDatabase.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "data/database.h"
#include "data/log.h"
#include "data/program_state.h"
#include "tests/data/data_test_helpers.h"
#include "tests/support/test_support.h"

namespace {

bool Blank(const std::uint8_t* glyph) { return std::all_of(glyph, glyph + 72, [](int b) { return b == 0; }); }

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

// Ranks 1 and 2 are 0x4E00 (glyph bytes 1..72) and 0x4E01 (no glyph, simplified form 0x4E0B).
TEST(LoadIndex, FillsEveryTable) {
    TestFolder folder;
    TestDatabase db;
    TestChar& yi = db.AddChar(0x4E00, {"yi1 one"});
    for (int i = 0; i < 72; ++i) yi.glyph.push_back(static_cast<std::uint8_t>(i + 1));
    db.AddChar(0x4E01, {"ding1 nail"}).otherForm = 0x4E0B;
    db.Write();
    LogEnabled = 1;
    ASSERT_EQ(LoadIndex(), 1);
    EXPECT_EQ(App.FreqList[1], 0x4E01);
    EXPECT_EQ(App.FreqRank[0x4E01], 2);
    EXPECT_EQ(App.OtherForm[0x4E00], 0x4E00);  // 0 in the file: its own simplified form
    EXPECT_EQ(App.OtherForm[0x4E01], 0x4E0B);
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
    EXPECT_EQ(LogLines(), (Lines{"LoadIndex"}));  // a missing glyph is no fault of the files

    std::filesystem::resize_file("cbf", App.GlyphOffset[0x4E00] + 40);  // a glyph cut short is blank
    ResetProgramState();
    ASSERT_EQ(LoadIndex(), 1);
    EXPECT_EQ(ReadGlyph(0x4E00, glyph), 0);
    EXPECT_TRUE(Blank(glyph));
}

TEST(LoadIndex, DamagedFilesAndUnlistedCodesAreRefusedWithTheirStepCode) {
    Bytes countPastEntries = IndexFile({{0x4E00, 72}});
    countPastEntries[0] = 2;
    Bytes offsetCut = IndexFile({{0x4E00, 72}});
    offsetCut.pop_back();
    Bytes index480 = {0, 0};
    for (int i = 0; i < 8000; ++i) Append16(index480, i < 7999 ? 0x5000 + i : 0x4E0B);  // the last has no record
    const Bytes index7999(index480.begin(), index480.end() - 2);
    const std::vector<std::tuple<std::string, Bytes, int>> cases = {
        {"index", index480, 480},
        {"cbfcon", Bytes{}, StepGlyphIndexDamaged},
        {"cbfcon", countPastEntries, StepGlyphIndexDamaged},
        {"cbfcon", offsetCut, StepGlyphIndexDamaged},
        {"cbfcon", IndexFile({{0xFFFF, 72}}), StepGlyphIndexDamaged},
        {"cifcon", Bytes{}, StepInfoIndexDamaged},
        {"cifcon", offsetCut, StepInfoIndexDamaged},
        {"cifcon", IndexFile({{0xFFFF, 2}}), StepInfoIndexDamaged},
        {"cif", Bytes{0, 0, 5}, StepInfoRecordDamaged},                       // weight cut short
        {"cif", Bytes{0, 0, 1, 0, 0xFF, 0xFF, 0, 0}, StepInfoRecordDamaged},  // other form 0xFFFF
        {"index", Bytes{}, StepFrequencyDamaged},
        {"index", index7999, StepFrequencyDamaged},
        {"index", Bytes{0, 0, 0xFF, 0xFF}, StepFrequencyDamaged},
    };
    for (const auto& [file, bytes, code] : cases) {
        TestFolder folder;
        TestDatabase().Write();
        if (file == "cif") WriteFileBytes("cifcon", IndexFile({{0x4E00, 2}}));
        WriteFileBytes(file, bytes);
        EXPECT_EQ(LoadIndex(), 0) << file;
        EXPECT_EQ(LogLines(), (Lines{std::to_string(code)})) << file << " of " << bytes.size() << " bytes";
        EXPECT_EQ(App.FreqRank[0xFFFF], 0);
    }
}
