// The bundled database in database/, as the program's own loaders see it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "data/byte_io.h"
#include "data/database.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/scramble.h"
#include "data/word_lists.h"
#include "tests/support/test_support.h"

namespace {

const char* const DatabaseFiles[] = {"cbfcon", "cbf", "cifcon", "cif", "index", "pinyin", "wtf"};

// Copies the bundled files into the test's folder and runs the three loaders in start-up order.
class BundledDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        fs::path source = fs::path(LUMORA_SOURCE_DIR) / "database";
        for (const char* name : DatabaseFiles) {
            ASSERT_TRUE(fs::exists(source / name)) << "missing bundled file " << name;
            fs::copy_file(source / name, fs::path(folder.path()) / name);
        }
        loadedPinyin = LoadPinyinList();
        loadedWords = LoadWdsList();
        loadedIndex = LoadIndex();
        for (StringNode* n = App.SyllableList.head; n; n = n->next) syllables.insert(LowBytes(n->text));
    }

    // The reading texts of a record, read from the open cif as the character selection reads them.
    static std::vector<std::string> ReadingTexts(CharCode code) {
        std::vector<std::string> texts;
        std::FILE* cif = App.InfoFile.get();
        if (std::fseek(cif, static_cast<long>(App.InfoOffset[code]) + 5, SEEK_SET) != 0) return texts;
        int count = std::fgetc(cif);
        for (int i = 0; i < count; ++i) {
            int length = std::fgetc(cif);
            if (length == EOF) break;
            std::string text(static_cast<std::size_t>(length), '\0');
            if (std::fread(text.data(), 1, text.size(), cif) != text.size()) break;
            Scramble(text.data());
            texts.push_back(text);
        }
        if (count > 3) texts.resize(4);  // more than the program takes: reported by the caller
        return texts;
    }

    static bool PlainAscii(const std::string& text) {
        return std::all_of(text.begin(), text.end(), [](char c) { return c >= 32 && c < 127; });
    }

    static bool HasGlyph(CharCode code) {
        std::uint8_t glyph[72];
        return ReadGlyph(code, glyph) == 1 && std::any_of(glyph, glyph + 72, [](std::uint8_t b) { return b != 0; });
    }

    TestFolder folder;
    int loadedPinyin = 0;
    int loadedWords = 0;
    int loadedIndex = 0;
    std::set<std::string> syllables;
};

}  // namespace

TEST_F(BundledDatabase, LoadsCleanlyWithEightThousandDistinctCharactersInFrequencyOrder) {
    EXPECT_EQ(loadedPinyin, 1);
    EXPECT_EQ(loadedWords, 1);
    EXPECT_EQ(loadedIndex, 1);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_GT(App.SyllableList.count, 400);
    EXPECT_TRUE(syllables.count("zhuang") && syllables.count("lv") && syllables.count("nve") && syllables.count("m"));

    std::set<CharCode> seen;
    for (int k = 0; k < FrequencyCount; ++k) {
        CharCode code = App.FreqList[k];
        EXPECT_NE(code, 0xFFFF);
        EXPECT_TRUE(seen.insert(code).second) << "listed twice: " << code;
        EXPECT_EQ(App.FreqRank[code], k + 1);
        EXPECT_NE(App.InfoOffset[code], 0u) << "no record: " << code;
        // Weights are shares of text: never below 1, never rising down the list, far below 32767.
        const CharRecord& record = App.CharTable[code];
        EXPECT_GE(record.Weight, 1) << code;
        if (k > 0) {
            EXPECT_LE(record.Weight, App.CharTable[App.FreqList[k - 1]].Weight) << code;
        }
        // Two boxes exactly where the simplified form differs.
        EXPECT_EQ(record.ShowBoth != 0, App.OtherForm[code] != code) << code;
    }
    EXPECT_EQ(seen.size(), 8000u);
    EXPECT_EQ(App.FreqList[0], 0x7684);  // 的
    EXPECT_LT(App.CharTable[0x7684].Weight, 32767);
    EXPECT_EQ(App.OtherForm[0x570B], 0x56FD);  // 國 -> 国
}

TEST_F(BundledDatabase, EveryIndexCharacterHasOneToThreeReadingsFromThePinyinList) {
    int withTwo = 0, withThree = 0;
    for (int k = 0; k < FrequencyCount; ++k) {
        CharCode code = App.FreqList[k];
        std::vector<std::string> texts = ReadingTexts(code);
        ASSERT_GE(texts.size(), 1u) << code;
        ASSERT_LE(texts.size(), 3u) << code;
        withTwo += texts.size() == 2;
        withThree += texts.size() == 3;
        std::set<std::string> readings;
        for (const std::string& text : texts) {
            ASSERT_TRUE(PlainAscii(text)) << text;
            // Split as the character selection splits it.
            char reading[256] = {0};
            char meaning[256] = {0};
            ASSERT_EQ(std::sscanf(text.c_str(), "%255s %255[^\r]", reading, meaning), 2) << text;
            std::string r = reading;
            EXPECT_TRUE(readings.insert(r).second) << "reading twice: " << text;
            if (r.back() >= '1' && r.back() <= '4') r.pop_back();
            EXPECT_TRUE(std::all_of(r.begin(), r.end(), [](char c) { return c >= 'a' && c <= 'z'; })) << text;
            EXPECT_TRUE(syllables.count(r)) << "syllable not in pinyin: " << text;
            EXPECT_LE(std::string(meaning).size(), 45u) << text;
        }
    }
    // Polyphones exist, but most characters have one reading.
    EXPECT_GT(withTwo, 100);
    EXPECT_GT(withThree, 0);
    EXPECT_LT(withTwo + withThree, 2000);
}

TEST_F(BundledDatabase, EveryGlyphTheDisplayNeedsIsPresent) {
    for (int k = 0; k < FrequencyCount; ++k) {
        CharCode code = App.FreqList[k];
        EXPECT_TRUE(HasGlyph(code)) << code;
        EXPECT_TRUE(HasGlyph(App.OtherForm[code])) << code;
    }
    // Example words draw each character in either form, so each has a record and both glyphs.
    for (const WordNode* n = App.WordList.head; n; n = n->next) {
        const WideString& word = n->Word();
        for (std::size_t i = 0; i < word.length(); ++i) {
            CharCode code = word[i];
            ASSERT_NE(App.InfoOffset[code], 0u) << code;
            ASSERT_TRUE(HasGlyph(code)) << code;
            ASSERT_TRUE(HasGlyph(App.OtherForm[code])) << code;
        }
    }
}

TEST_F(BundledDatabase, WordFileHasNoRecordCutShortAndReadableTexts) {
    // Walk the file's records by their own lengths: they must end exactly at the end of the file,
    // and the loader must have kept every one of them.
    std::vector<std::uint8_t> bytes = ReadFileBytes("wtf");
    std::size_t at = 0;
    int records = 0;
    while (at < bytes.size()) {
        std::size_t n = bytes[at];
        ASSERT_LE(at + 1 + 2 * n + 1, bytes.size()) << "record " << records << " cut short";
        std::size_t m = bytes[at + 1 + 2 * n];
        at += 1 + 2 * n + 1 + m;
        ASSERT_LE(at, bytes.size()) << "record " << records << " cut short";
        ++records;
    }
    EXPECT_EQ(App.WordList.count, records);
    EXPECT_GT(records, 10000);

    std::set<std::string> words;
    std::set<CharCode> covered;
    for (const WordNode* n = App.WordList.head; n; n = n->next) {
        const WideString& word = n->Word();
        ASSERT_GE(word.length(), 2u);
        ASSERT_LE(word.length(), 8u);
        std::string key;
        for (std::size_t i = 0; i < word.length(); ++i) {
            key += std::to_string(word[i]) + ",";
            covered.insert(word[i]);
        }
        EXPECT_TRUE(words.insert(key).second) << "word listed twice";
        std::string text = LowBytes(n->Text());
        ASSERT_TRUE(PlainAscii(text)) << text;
        ASSERT_LE(text.size(), 251u);
        // "<ni3 hao3> hello": a reading of one syllable per character, a blank, a translation.
        std::size_t close = text.find('>');
        ASSERT_TRUE(text[0] == '<' && close != std::string::npos && close + 2 < text.size() && text[close + 1] == ' ')
            << text;
        std::string reading = text.substr(1, close - 1);
        EXPECT_EQ(static_cast<std::size_t>(std::count(reading.begin(), reading.end(), ' ')) + 1, word.length()) << text;
    }
    // The first thousand characters all have example words.
    for (int k = 0; k < 1000; ++k) EXPECT_TRUE(covered.count(App.FreqList[k])) << "no word for rank " << k + 1;
}
