#include <gtest/gtest.h>

#include "sources.h"

TEST(SourcesTest, WordCountsAndUnihanFieldsAreRead) {
    auto counts = ParseWordCounts("的\t4822928\n我們\t100\n我們\t20\nbad line\n零\t0\n");
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts[U"我們"], 120);
    Unihan unihan;
    ParseUnihan("U+4F54\tkBigFive\tA6FB\nU+7D43\tkBigFive\tB2CD\nU+7E8C\tkBigFive\tF9D5\n"
                "U+8AB0\tkHanyuPinlu\tshuí(1065) shéi(3)\n",
                unihan);
    EXPECT_EQ(unihan[U'佔'].big5Level, 1);
    EXPECT_EQ(unihan[U'絃'].big5Level, 1);
    EXPECT_EQ(unihan[U'續'].big5Level, 2);
    EXPECT_EQ(unihan[U'誰'].pinlu, (std::vector<std::pair<std::string, long>>{{"shui2", 1065}, {"shei2", 3}}));
    auto cedict = ParseCedict("# comment\n誰 谁 [shei2] /who/also pr. [shui2]/\nbroken line\n");
    ASSERT_EQ(cedict.size(), 1u);
    EXPECT_EQ(cedict[0].senses, (std::vector<std::string>{"who", "also pr. [shui2]"}));
}

TEST(SourcesTest, ChewingPhrasesAreTheLeavesOfItsTree) {
    std::string dictionary("\xE5\x8F\xB0\xE7\x81\xA3\0\xE4\xB8\x80\0", 11);  // 台灣, 一
    auto node = [](unsigned phone, unsigned a, unsigned b) {
        std::string n;
        for (unsigned v : {phone & 0xFF, phone >> 8, a & 0xFF, (a >> 8) & 0xFF, a >> 16, b & 0xFF, (b >> 8) & 0xFF, b >> 16})
            n += static_cast<char>(v);
        return n;
    };
    // Root, one inner node (phone 5), then leaves: 台灣 twice (homophones) and 一 with frequency 0.
    std::string tree = node(0, 1, 2) + node(5, 2, 5) + node(0, 0, 70000) + node(0, 0, 30) + node(0, 7, 0) +
                       node(0, 999, 1);  // a leaf pointing past the dictionary is skipped
    auto phrases = ParseChewing(tree, dictionary);
    EXPECT_EQ(phrases.size(), 2u);
    EXPECT_EQ(phrases[U"台灣"], 70030);
    EXPECT_EQ(phrases[U"一"], 0);
}
