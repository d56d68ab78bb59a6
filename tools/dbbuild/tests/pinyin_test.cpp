#include <gtest/gtest.h>

#include <algorithm>

#include "pinyin.h"

TEST(PinyinTest, DictionarySyllablesTakeTheTrainersForm) {
    EXPECT_EQ(NormaliseCedictSyllable("lu:4"), "lv4");
    EXPECT_EQ(NormaliseCedictSyllable("nu:e4"), "nve4");
    EXPECT_EQ(NormaliseCedictSyllable("lü3"), "lv3");
    EXPECT_EQ(NormaliseCedictSyllable("Zhang1"), "zhang1");
    EXPECT_EQ(NormaliseCedictSyllable("Zhang1", true), "Zhang1");
    // The neutral tone is the bare syllable.
    EXPECT_EQ(NormaliseCedictSyllable("de5"), "de");
    EXPECT_EQ(NormaliseCedictSyllable("men"), "men");
    EXPECT_EQ(NormaliseCedictSyllable("ê4"), "e4");
}

TEST(PinyinTest, ErhuaAndTheRareSyllables) {
    // Erhua is no syllable of its own: it reads as a bare r, which the syllable list does not hold,
    // so no character reading can be made of it.
    EXPECT_EQ(NormaliseCedictSyllable("r5"), "r");
    EXPECT_FALSE(IsSyllable("r"));
    EXPECT_EQ(NormaliseCedictReading("yi1 dian3 r5"), "yi1 dian3 r");
    for (const char* rare : {"m2", "n2", "ng4", "hm5", "hng1"}) {
        std::string reading = NormaliseCedictSyllable(rare);
        EXPECT_TRUE(IsSyllable(SyllableOf(reading))) << rare;
    }
    EXPECT_EQ(NormaliseCedictSyllable("hm5"), "hm");
}

TEST(PinyinTest, AnythingButPinyinIsRefused) {
    EXPECT_EQ(NormaliseCedictSyllable("，"), "");
    EXPECT_EQ(NormaliseCedictSyllable("3"), "");
    EXPECT_EQ(NormaliseCedictSyllable("ma14"), "");
    EXPECT_EQ(NormaliseCedictSyllable(""), "");
    EXPECT_EQ(NormaliseCedictReading("ni3 ， hao3"), "");
    EXPECT_EQ(NormaliseCedictReading("Bei3 jing1"), "Bei3 jing1");
    EXPECT_EQ(NormaliseCedictReading("Bei3 jing1", false), "bei3 jing1");
}

TEST(PinyinTest, ToneMarksBecomeDigits) {
    EXPECT_EQ(NumberedFromAccented("liǎo"), "liao3");
    EXPECT_EQ(NumberedFromAccented("nüè"), "nve4");
    EXPECT_EQ(NumberedFromAccented("lǜ"), "lv4");
    EXPECT_EQ(NumberedFromAccented("de"), "de");
    EXPECT_EQ(NumberedFromAccented("ḿ"), "m2");
    EXPECT_EQ(NumberedFromAccented("ǹg"), "ng4");
    EXPECT_EQ(NumberedFromAccented("e\u0304"), "e1");  // combining macron
    EXPECT_EQ(NumberedFromAccented("zhōng"), "zhong1");
    EXPECT_EQ(NumberedFromAccented("U+4E00"), "");
}

TEST(PinyinTest, SyllableTableIsSortedLowercaseAndComplete) {
    const auto& table = SyllableTable();
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end()));
    EXPECT_EQ(std::adjacent_find(table.begin(), table.end()), table.end());
    for (const std::string& s : table) {
        EXPECT_FALSE(s.empty());
        EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; })) << s;
    }
    for (const char* s : {"a", "zhuang", "lv", "nve", "er", "m", "n", "ng", "hm", "shei", "yo", "chuang"}) {
        EXPECT_TRUE(IsSyllable(s)) << s;
    }
    for (const char* s : {"lu:", "ü", "bv", "zhi1", "", "jv"}) EXPECT_FALSE(IsSyllable(s)) << s;
    EXPECT_GT(table.size(), 400u);
    EXPECT_LT(table.size(), 440u);
}
