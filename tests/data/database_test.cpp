// LoadIndex and ReadGlyph against database files written byte by byte or by TestDatabase.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "data/database.h"
#include "data/program_state.h"
#include "shell/log.h"
#include "tests/support/test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(Bytes& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// An index file (cbfcon or cifcon layout) of the given entries.
Bytes IndexFile(std::vector<std::pair<std::uint16_t, std::uint32_t>> entries) {
    Bytes out;
    PutU16(out, static_cast<std::uint32_t>(entries.size()));
    for (auto [code, offset] : entries) {
        PutU16(out, code);
        PutU32(out, offset);
    }
    return out;
}

Bytes CifRecord(std::uint16_t weight, std::uint16_t otherForm, std::uint8_t showBoth) {
    Bytes out;
    PutU16(out, weight);
    PutU16(out, otherForm);
    out.push_back(showBoth);
    out.push_back(0);  // no readings
    return out;
}

// A database of the test writer whose first ranked characters are 0x4E00 and 0x4E01.
TestDatabase SmallDatabase() {
    TestDatabase db;
    TestChar& yi = db.AddChar(0x4E00, {"yi1 one"});
    yi.weight = 3000;
    yi.showBoth = 1;
    Bytes glyph(72);
    for (int i = 0; i < 72; ++i) glyph[i] = static_cast<std::uint8_t>(i + 1);
    yi.glyph = glyph;
    TestChar& ding = db.AddChar(0x4E01, {"ding1 nail"});
    ding.otherForm = 0x4E0B;
    db.AddUnrankedChar(0x9F98, {"long2 dragon"});
    return db;
}

}  // namespace

TEST(LoadIndex, EightByteGlyphIndexExample) {
    TestFolder folder;
    WriteFileBytes("cbfcon", {0x01, 0x00, 0x00, 0x4E, 0x48, 0x00, 0x00, 0x00});
    Bytes cbf(144, 0);
    cbf[72] = 0x80;    // row 0, column 0
    cbf[143] = 0x01;   // row 23, column 23
    WriteFileBytes("cbf", cbf);
    // No cifcon: the load stops there, with the glyph index already in place.
    EXPECT_EQ(LoadIndex(), 0);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"452"}));
    EXPECT_EQ(App.GlyphOffset[0x4E00], 72u);

    std::uint8_t glyph[72];
    ASSERT_EQ(ReadGlyph(0x4E00, glyph), 1);
    EXPECT_EQ(glyph[0], 0x80);
    EXPECT_EQ(glyph[71], 0x01);
    EXPECT_EQ(std::count(glyph + 1, glyph + 71, 0), 70);
    // Only the low 16 bits of the argument count.
    std::memset(glyph, 0, sizeof glyph);
    EXPECT_EQ(ReadGlyph(0x14E00, glyph), 1);
    EXPECT_EQ(glyph[0], 0x80);
}

TEST(LoadIndex, FillsEveryTableFromTheTestDatabase) {
    TestFolder folder;
    SmallDatabase().Write();
    LogEnabled = 1;
    ASSERT_EQ(LoadIndex(), 1);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"LoadIndex"}));

    EXPECT_EQ(App.FreqList[0], 0x4E00);
    EXPECT_EQ(App.FreqList[1], 0x4E01);
    EXPECT_EQ(App.FreqRank[0x4E00], 1);
    EXPECT_EQ(App.FreqRank[0x4E01], 2);
    EXPECT_EQ(App.FreqRank[App.FreqList[7999]], 8000);
    EXPECT_EQ(App.CharTable[0x4E00].Weight, 3000);
    EXPECT_EQ(App.CharTable[0x4E00].ShowBoth, 1);
    EXPECT_EQ(App.CharTable[0x4E01].ShowBoth, 0);
    EXPECT_EQ(App.OtherForm[0x4E00], 0x4E00);  // 0 in the file: its own simplified form
    EXPECT_EQ(App.OtherForm[0x4E01], 0x4E0B);
    EXPECT_NE(App.GlyphOffset[0x4E00], 0u);
    EXPECT_EQ(App.GlyphOffset[0x4E01], 0u);  // written without a glyph

    // An unranked record is in the database but not in the frequency list.
    EXPECT_NE(App.InfoOffset[0x9F98], 0u);
    EXPECT_EQ(App.FreqRank[0x9F98], 0);
    // A code without a record.
    EXPECT_EQ(App.InfoOffset[0x4E0B], 0u);
    EXPECT_EQ(App.OtherForm[0x4E0B], 0);

    // Both data files stay open for later reads.
    EXPECT_TRUE(App.GlyphFile.IsOpen());
    EXPECT_TRUE(App.InfoFile.IsOpen());
}

TEST(ReadGlyph, ReadsExactlyTheBytesAtItsOffset) {
    TestFolder folder;
    SmallDatabase().Write();
    ASSERT_EQ(LoadIndex(), 1);
    std::uint8_t glyph[72];
    ASSERT_EQ(ReadGlyph(0x4E00, glyph), 1);
    for (int i = 0; i < 72; ++i) EXPECT_EQ(glyph[i], i + 1) << "byte " << i;

    // Another read after the file has moved elsewhere still starts at the offset.
    std::uint8_t filler[72];
    ASSERT_EQ(ReadGlyph(App.FreqList[100], filler), 1);
    ASSERT_EQ(ReadGlyph(0x4E00, glyph), 1);
    EXPECT_EQ(glyph[0], 1);
}

TEST(ReadGlyph, NoGlyphGivesABlankBitmapAndFalse) {
    TestFolder folder;
    SmallDatabase().Write();
    ASSERT_EQ(LoadIndex(), 1);
    std::uint8_t glyph[72];
    for (std::uint32_t code : {0x4E01u, 0x4E0Bu, 0xFFFFu, 0x1FFFFu}) {
        std::memset(glyph, 0xAA, sizeof glyph);
        EXPECT_EQ(ReadGlyph(code, glyph), 0) << code;
        EXPECT_EQ(std::count(glyph, glyph + 72, 0), 72) << code;
    }
    EXPECT_TRUE(LogLines().empty());  // no step code: drawing a blank glyph is normal
}

TEST(ReadGlyph, AGlyphCutShortByTheEndOfCbfIsBlank) {
    TestFolder folder;
    SmallDatabase().Write();
    ASSERT_EQ(LoadIndex(), 1);
    std::filesystem::resize_file("cbf", App.GlyphOffset[0x4E00] + 40);
    std::uint8_t glyph[72];
    EXPECT_EQ(ReadGlyph(0x4E00, glyph), 0);
    EXPECT_EQ(std::count(glyph, glyph + 72, 0), 72);
}

TEST(LoadIndex, ALaterDuplicateEntryWins) {
    TestFolder folder;
    WriteFileBytes("cbfcon", IndexFile({{0x4E00, 72}, {0x4E00, 144}}));
    WriteFileBytes("cbf", Bytes(216, 0));
    Bytes cif(2, 0);
    Bytes first = CifRecord(10, 0, 0), second = CifRecord(20, 0x4E8C, 1);
    cif.insert(cif.end(), first.begin(), first.end());
    cif.insert(cif.end(), second.begin(), second.end());
    WriteFileBytes("cifcon", IndexFile({{0x4E00, 2}, {0x4E00, 8}}));
    WriteFileBytes("cif", cif);
    EXPECT_EQ(LoadIndex(), 0);  // no index file
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"470"}));
    EXPECT_EQ(App.GlyphOffset[0x4E00], 144u);
    EXPECT_EQ(App.InfoOffset[0x4E00], 8u);
    EXPECT_EQ(App.CharTable[0x4E00].Weight, 20);
    EXPECT_EQ(App.OtherForm[0x4E00], 0x4E8C);
    EXPECT_EQ(App.CharTable[0x4E00].ShowBoth, 1);
}

TEST(LoadIndex, EachMissingFileHasItsStepCode) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"cbfcon", "439"}, {"cbf", "440"}, {"cifcon", "452"}, {"cif", "453"}, {"index", "470"}};
    for (const auto& [file, code] : cases) {
        TestFolder folder;
        SmallDatabase().Write();
        std::filesystem::remove(file);
        EXPECT_EQ(LoadIndex(), 0) << file;
        EXPECT_EQ(LogLines(), (std::vector<std::string>{code})) << file;
    }
}

TEST(LoadIndex, ACodeWithoutARecordFailsAfterItsRankIsStored) {
    TestFolder folder;
    SmallDatabase().Write();
    Bytes index = ReadFileBytes("index");
    index[2 + 2 * 4] = 0x0B;  // rank 5 becomes 0x4E0B, which has no record
    index[3 + 2 * 4] = 0x4E;
    WriteFileBytes("index", index);
    EXPECT_EQ(LoadIndex(), 0);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"480"}));
    EXPECT_EQ(App.FreqRank[0x4E0B], 5);
    EXPECT_EQ(App.FreqList[4], 0x4E0B);
    EXPECT_EQ(App.FreqList[5], 0);  // nothing after it
}

TEST(LoadIndex, DamagedIndexAndRecordFilesAreRefused) {
    struct Case {
        const char* what;
        std::string file;
        Bytes bytes;
        int code;
    };
    Bytes cbfconShort = IndexFile({{0x4E00, 72}});
    cbfconShort[0] = 2;  // claims two entries, holds one
    Bytes cbfconCut = IndexFile({{0x4E00, 72}});
    cbfconCut.resize(cbfconCut.size() - 1);  // offset cut short
    Bytes cifconCut = IndexFile({{0x4E00, 2}});
    cifconCut.resize(4);

    Bytes cifEnd(2, 0);
    Bytes cifWrongForm(2, 0);
    Bytes bad = CifRecord(1, 0xFFFF, 0);
    cifWrongForm.insert(cifWrongForm.end(), bad.begin(), bad.end());
    cifEnd.push_back(5);  // weight only half there
    Bytes indexShort;
    PutU16(indexShort, 0);
    for (int i = 0; i < 7999; ++i) PutU16(indexShort, 0x5000 + i);

    const std::vector<Case> cases = {
        {"empty cbfcon", "cbfcon", {}, StepGlyphIndexDamaged},
        {"cbfcon count past its entries", "cbfcon", cbfconShort, StepGlyphIndexDamaged},
        {"cbfcon offset cut", "cbfcon", cbfconCut, StepGlyphIndexDamaged},
        {"cbfcon names 0xFFFF", "cbfcon", IndexFile({{0xFFFF, 72}}), StepGlyphIndexDamaged},
        {"empty cifcon", "cifcon", {}, StepInfoIndexDamaged},
        {"cifcon entry cut", "cifcon", cifconCut, StepInfoIndexDamaged},
        {"cifcon names 0xFFFF", "cifcon", IndexFile({{0xFFFF, 2}}), StepInfoIndexDamaged},
        {"cif record past its end", "cif", cifEnd, StepInfoRecordDamaged},
        {"cif other form 0xFFFF", "cif", cifWrongForm, StepInfoRecordDamaged},
        {"empty index", "index", {}, StepFrequencyDamaged},
        {"index of 7999 codes", "index", indexShort, StepFrequencyDamaged},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        TestDatabase db;
        db.Write();
        // The cases on cifcon and cif stand on a one-record database at offset 2 of cif.
        if (c.file == "cif") WriteFileBytes("cifcon", IndexFile({{0x4E00, 2}}));
        if (c.file == "cifcon") WriteFileBytes("cif", Bytes(20, 0));
        WriteFileBytes(c.file, c.bytes);
        EXPECT_EQ(LoadIndex(), 0) << c.what;
        EXPECT_EQ(LogLines(), (std::vector<std::string>{std::to_string(c.code)})) << c.what;
    }
}

TEST(LoadIndex, AnIndexNamingFFFFIsRefusedBeforeItsRankIsStored) {
    {
        TestFolder folder;
        SmallDatabase().Write();
        Bytes index = ReadFileBytes("index");
        index[2 + 2 * 9] = 0xFF;
        index[3 + 2 * 9] = 0xFF;
        WriteFileBytes("index", index);
        EXPECT_EQ(LoadIndex(), 0);
        EXPECT_EQ(LogLines(), (std::vector<std::string>{"471"}));
        EXPECT_EQ(App.FreqRank[0xFFFF], 0);
    }
    {
        // Data after the 8000th code is ignored, even 0xFFFF.
        TestFolder folder;
        SmallDatabase().Write();
        Bytes index = ReadFileBytes("index");
        index.push_back(0xFF);
        index.push_back(0xFF);
        WriteFileBytes("index", index);
        EXPECT_EQ(LoadIndex(), 1);
    }
}
