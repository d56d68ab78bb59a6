#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "database_files.h"

namespace {

unsigned U16(const std::vector<std::uint8_t>& b, std::size_t at) { return b.at(at) | (b.at(at + 1) << 8); }
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

struct Small {
    std::map<std::uint16_t, Glyph> glyphs;
    std::vector<CharInfo> chars;
    std::vector<std::uint16_t> index = {0x767C, 0x4E00};
    std::vector<std::string> syllables = {"fa", "yi"};
    std::vector<WordEntry> words = {{{0x767C, 0x73FE}, "<fa1 xian4> to find"}};
    Small() {
        Glyph g{};
        g[0] = 0x80;
        glyphs[0x4E00] = g;
        g[71] = 0x01;
        glyphs[0x767C] = g;
        chars.push_back(CharInfo{0x767C, 1400, 0x53D1, 1, {"fa1 to send out"}});
        chars.push_back(CharInfo{0x4E00, 8266, 0, 0, {"yi1 one", "yi2 one (before tone 4)"}});
    }
};

}  // namespace

TEST(DatabaseFilesTest, ScrambleIsTheTrainersSubstitution) {
    std::string text = "abc";
    ScrambleText(text);
    EXPECT_EQ(text, ">=<");
    ScrambleText(text);
    EXPECT_EQ(text, "abc");
    std::string edges = "! ~0A";
    ScrambleText(edges);
    EXPECT_EQ(edges, "~ !o^");
}

TEST(DatabaseFilesTest, FilesHoldTheRecordsInCodeOrderAtNonZeroOffsets) {
    Small s;
    DatabaseImage image;
    std::string error;
    ASSERT_TRUE(EncodeDatabase(s.glyphs, s.chars, s.index, s.syllables, s.words, image, error)) << error;
    const auto& cbfcon = image.files["cbfcon"];
    const auto& cbf = image.files["cbf"];
    ASSERT_EQ(U16(cbfcon, 0), 2u);
    EXPECT_EQ(U16(cbfcon, 2), 0x4E00u);  // code order
    std::uint32_t glyphAt = U32(cbfcon, 10);
    EXPECT_EQ(U16(cbfcon, 8), 0x767Cu);
    ASSERT_GT(glyphAt, 0u);  // offset 0 would mean "no glyph"
    EXPECT_EQ(cbf.at(glyphAt), 0x80);
    EXPECT_EQ(cbf.at(glyphAt + 71), 0x01);

    const auto& cifcon = image.files["cifcon"];
    const auto& cif = image.files["cif"];
    ASSERT_EQ(U16(cifcon, 0), 2u);
    std::uint32_t at = U32(cifcon, 10);  // 0x767C, second in code order
    ASSERT_GT(at, 0u);
    EXPECT_EQ(U16(cif, at), 1400u);
    EXPECT_EQ(U16(cif, at + 2), 0x53D1u);
    EXPECT_EQ(cif.at(at + 4), 1);
    EXPECT_EQ(cif.at(at + 5), 1);
    std::string text(cif.begin() + at + 7, cif.begin() + at + 7 + cif.at(at + 6));
    ScrambleText(text);
    EXPECT_EQ(text, "fa1 to send out");

    const auto& index = image.files["index"];
    ASSERT_EQ(index.size(), 6u);
    EXPECT_EQ(U16(index, 2), 0x767Cu);
    EXPECT_EQ(U16(index, 4), 0x4E00u);
    EXPECT_EQ(std::string(image.files["pinyin"].begin(), image.files["pinyin"].end()), "fa\nyi\n");

    const auto& wtf = image.files["wtf"];
    ASSERT_EQ(wtf.at(0), 2);
    EXPECT_EQ(U16(wtf, 1), 0x767Cu);
    std::string word(wtf.begin() + 6, wtf.end());
    EXPECT_EQ(wtf.at(5), word.size());
    ScrambleText(word);
    EXPECT_EQ(word, "<fa1 xian4> to find");
}

TEST(DatabaseFilesTest, DataTheTrainerCannotHoldIsRefused) {
    DatabaseImage image;
    std::string error;
    {
        Small s;
        s.chars[0].readings = {"a1 x", "b1 x", "c1 x", "d1 x"};
        EXPECT_FALSE(EncodeDatabase(s.glyphs, s.chars, s.index, s.syllables, s.words, image, error));
    }
    {
        Small s;
        s.index.push_back(0x4E01);  // no record
        EXPECT_FALSE(EncodeDatabase(s.glyphs, s.chars, s.index, s.syllables, s.words, image, error));
    }
    {
        Small s;
        s.index.push_back(0x4E00);  // twice
        EXPECT_FALSE(EncodeDatabase(s.glyphs, s.chars, s.index, s.syllables, s.words, image, error));
    }
    {
        Small s;
        s.chars.push_back(CharInfo{0xFFFF, 1, 0, 0, {"a1 x"}});
        EXPECT_FALSE(EncodeDatabase(s.glyphs, s.chars, s.index, s.syllables, s.words, image, error));
    }
    {
        Small s;
        s.chars[1].readings = {"yi1 caf\xC3\xA9"};
        EXPECT_FALSE(EncodeDatabase(s.glyphs, s.chars, s.index, s.syllables, s.words, image, error));
    }
    {
        Small s;
        s.words[0].text = "<fa1 xian4> " + std::string(240, 'x');
        EXPECT_FALSE(EncodeDatabase(s.glyphs, s.chars, s.index, s.syllables, s.words, image, error));
    }
}

TEST(DatabaseFilesTest, ANewDatabaseReplacesTheOldOneWhole) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("dbbuild_write_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "database");
    std::ofstream(root / "database" / "index") << "old index";
    fs::create_directories(root / "database" / "licenses");
    std::ofstream(root / "database" / "licenses" / "MIT") << "terms";
    std::ofstream(root / "database" / "NOTICE") << "notice";
    DatabaseImage image;
    image.files["index"] = {1, 2, 3};
    std::string error;
    ASSERT_TRUE(WriteDatabaseFolder((root / "database").string(), image, error)) << error;
    EXPECT_EQ(fs::file_size(root / "database" / "index"), 3u);
    // What the build does not make stays, folders included.
    EXPECT_EQ(fs::file_size(root / "database" / "NOTICE"), 6u);
    EXPECT_EQ(fs::file_size(root / "database" / "licenses" / "MIT"), 5u);
    EXPECT_FALSE(fs::exists(root / "database.new"));
    EXPECT_FALSE(fs::exists(root / "database.old"));

    // A target whose folder cannot be made fails and leaves the database in place untouched.
    std::ofstream(root / "blocker") << "file";
    EXPECT_FALSE(WriteDatabaseFolder((root / "blocker" / "database").string(), image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::exists(root / "database" / "index"));
    fs::remove_all(root);
}
