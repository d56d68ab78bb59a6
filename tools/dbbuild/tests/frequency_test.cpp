#include <gtest/gtest.h>

#include "frequency.h"

TEST(FrequencyTest, CharacterSharesCountEveryCharacterOfEveryWordAndSumToOne) {
    // Rime counts 我 alone and in 我們; chewing counts only phrases.
    std::map<std::u32string, long long> rime = {{U"我", 60}, {U"我們", 20}};
    std::map<std::u32string, long long> chewing = {{U"他們", 10}};
    WordShares words = BlendWordShares(rime, chewing, 0.25);
    EXPECT_DOUBLE_EQ(words[U"我"], 0.75 * 0.75);
    EXPECT_DOUBLE_EQ(words[U"他們"], 0.25);
    auto chars = CharacterShares(words);
    double total = 0;
    for (const auto& [c, share] : chars) total += share;
    EXPECT_NEAR(total, 1.0, 1e-12);
    // 們 stands in both phrases, 我 in two words of Rime's: more than 他 which stands in one.
    EXPECT_GT(chars[U'們'], chars[U'他']);
    EXPECT_GT(chars[U'我'], chars[U'們']);
}

TEST(FrequencyTest, WordEvidenceIsKeyedByTraditionalSpellingAndPrefersCommonEntries) {
    std::vector<CedictEntry> cedict = {
        {U"發", U"发", "fa1", {"to send out"}},
        {U"髮", U"发", "fa4", {"hair"}},
        {U"頭髮", U"头发", "tou2 fa5", {"hair"}},
        {U"發現", U"发现", "fa1 xian4", {"to find"}},
        {U"大學", U"大学", "da4 xue2", {"university"}},
        {U"大學", U"大学", "Da4 xue2", {"the Great Learning"}},
    };
    WordShares words = {{U"頭髮", 0.1}, {U"發現", 0.3}, {U"大學", 0.2}};
    FormEvidence ev = CollectEvidence(cedict, words);
    EXPECT_DOUBLE_EQ(ev.readings[U'發']["fa1"], 0.3);
    EXPECT_DOUBLE_EQ(ev.readings[U'髮']["fa"], 0.1);
    // The proper noun takes nothing from the common word's count.
    EXPECT_DOUBLE_EQ(ev.readings[U'大']["da4"], 0.2);
    EXPECT_EQ(SimplifiedForm(U'髮', ev, Unihan{}), U'发');
    EXPECT_EQ(SimplifiedForm(U'我', ev, Unihan{}), U'我');
}

TEST(FrequencyTest, RankSharesFollowACountedCorpusWithEachFormPairOnce) {
    Unihan unihan;
    unihan[U'的'].pinlu = {{"de", 60}, {"di4", 10}, {"di2", 10}};
    // Unihan counts 這 and its simplified 这 alike: the pair counts once.
    unihan[U'這'].pinlu = {{"zhe4", 20}};
    unihan[U'這'].simplified = {U'这'};
    unihan[U'这'].pinlu = {{"zhe4", 20}};
    unihan[U'一'].pinlu = {{"yi1", 0}};
    std::vector<double> shares = RankShares(unihan);
    ASSERT_EQ(shares.size(), 2u);
    EXPECT_DOUBLE_EQ(shares[0], 0.8);
    EXPECT_DOUBLE_EQ(shares[1], 0.2);
}
