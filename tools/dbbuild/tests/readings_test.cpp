#include <gtest/gtest.h>

#include "readings.h"

namespace {

CedictEntry Entry(const std::u32string& trad, const std::string& pinyin, std::vector<std::string> senses) {
    return CedictEntry{trad, trad, pinyin, std::move(senses)};
}

struct Dictionary {
    std::vector<CedictEntry> entries;
    WordIndex index;
    explicit Dictionary(std::vector<CedictEntry> e) : entries(std::move(e)) {
        for (const CedictEntry& x : entries) index[x.traditional].push_back(&x);
    }
    std::vector<const CedictEntry*> Of(char32_t c) const {
        auto it = index.find(std::u32string(1, c));
        return it == index.end() ? std::vector<const CedictEntry*>{} : it->second;
    }
};

}  // namespace

TEST(ReadingsTest, AReadingOfTheCharacterThisOneSimplifiesBelongsToThatOne) {
    Dictionary d({Entry(U"只", "zhi3", {"only"}), Entry(U"只", "zhi1", {"variant of 隻[zhi1]"}),
                  CedictEntry{U"隻", U"只", "zhi1", {"classifier for birds"}},
                  Entry(U"裡", "li3", {"variant of 裏[li3]"}), CedictEntry{U"裏", U"里", "li3", {"inside"}},
                  Entry(U"佔", "zhan4", {"variant of 占[zhan4], to seize"}), Entry(U"占", "zhan4", {"to occupy"})});
    ReadingEvidence ev;
    ev.inWords = {{"zhi3", 10}, {"zhi1", 10}};
    // 只 is 隻's simplified form: zhi1 is 隻's reading, not 只's.
    EXPECT_EQ(MakeReadings(U'只', U'只', d.Of(U'只'), ev, Unihan{}, d.index), std::vector<std::string>{"zhi3 only"});
    // 佔 keeps its own sense, never the other character's (佈 is not "cloth"); 裡, with nothing of
    // its own here, takes Unihan's definition.
    EXPECT_EQ(MakeReadings(U'佔', U'占', d.Of(U'佔'), ev, Unihan{}, d.index), std::vector<std::string>{"zhan4 to seize"});
    Unihan unihan;
    unihan[U'裡'].definition = "inside, interior, within";
    unihan[U'裡'].mandarin = {"li3"};
    EXPECT_EQ(MakeReadings(U'裡', U'里', d.Of(U'裡'), ev, unihan, d.index),
              std::vector<std::string>{"li3 inside, interior, within"});
}

TEST(ReadingsTest, ALineJoinedWithAnotherCharactersFormLeavesItsSensesToIt) {
    // 餘 and 余 share one line in the dictionary: "I; me" are 余's.
    Dictionary d({CedictEntry{U"餘", U"余", "yu2", {"surplus", "remaining", "I", "me"}},
                  CedictEntry{U"余", U"余", "yu2", {"I", "me"}}});
    EXPECT_EQ(MakeReadings(U'餘', U'余', d.Of(U'餘'), ReadingEvidence{}, Unihan{}, d.index),
              std::vector<std::string>{"yu2 surplus; remaining"});
}

TEST(ReadingsTest, AReadingWrittenWithAMoreCommonCharacterBelongsToIt) {
    Dictionary d({Entry(U"見", "jian4", {"to see"}), Entry(U"見", "xian4", {"to appear", "also written 現[xian4]"})});
    ReadingEvidence ev;
    ev.inWords = {{"jian4", 90}, {"xian4", 10}};
    ev.shareOf = [](char32_t c) { return c == U'現' ? 0.002 : 0.001; };
    EXPECT_EQ(MakeReadings(U'見', U'见', d.Of(U'見'), ev, Unihan{}, d.index), std::vector<std::string>{"jian4 to see"});
}

TEST(ReadingsTest, RareReadingsAndReadingsOfPlaceNamesAreLeftOut) {
    Dictionary d({Entry(U"侯", "hou2", {"marquis"}), Entry(U"侯", "hou4", {"used in 閩侯[Min3 hou4]"}),
                  Entry(U"閩侯", "Min3 hou4", {"Minhou county"}), Entry(U"好", "hao3", {"good"}),
                  Entry(U"好", "hao4", {"to be fond of"}), Entry(U"好", "hao1", {"(dialect) very"})});
    ReadingEvidence ev;
    ev.inWords = {{"hou2", 50}, {"hou4", 40}};
    EXPECT_EQ(MakeReadings(U'侯', U'侯', d.Of(U'侯'), ev, Unihan{}, d.index), std::vector<std::string>{"hou2 marquis"});
    // 好 alone is split by Unihan's counts; hao4 lives in words (愛好), hao1 nowhere.
    Unihan unihan;
    unihan[U'好'].pinlu = {{"hao3", 950}, {"hao4", 50}};
    ev.inWords = {{"hao3", 40}, {"hao4", 8}, {"hao1", 1}};
    ev.alone = 100;
    EXPECT_EQ(MakeReadings(U'好', U'好', d.Of(U'好'), ev, unihan, d.index),
              (std::vector<std::string>{"hao3 good", "hao4 to be fond of"}));
}

TEST(ReadingsTest, AnotherPronunciationFollowsTheHeadReadingEvenWhenCountedMore) {
    Dictionary d({Entry(U"誰", "shei2", {"who", "also pr. [shui2]"})});
    Unihan unihan;
    unihan[U'誰'].pinlu = {{"shui2", 1065}};
    ReadingEvidence ev;
    ev.inWords = {{"shei2", 5}};
    ev.alone = 100;
    EXPECT_EQ(MakeReadings(U'誰', U'谁', d.Of(U'誰'), ev, unihan, d.index),
              (std::vector<std::string>{"shei2 who", "shui2 who (another reading)"}));
}

TEST(ReadingsTest, AReadingExplainedByAWordTakesTheWordsMeaning) {
    Dictionary d({Entry(U"便", "bian4", {"convenient"}), Entry(U"便", "pian2", {"used in 便宜[pian2 yi5]"}),
                  Entry(U"便宜", "pian2 yi5", {"cheap"})});
    ReadingEvidence ev;
    ev.inWords = {{"bian4", 60}, {"pian2", 40}};
    ev.topWord = {{"pian2", 1e-4}};
    EXPECT_EQ(MakeReadings(U'便', U'便', d.Of(U'便'), ev, Unihan{}, d.index),
              (std::vector<std::string>{"bian4 convenient", "pian2 cheap"}));
    // A reading bound to a rare word stays out however large its share of a rare character.
    ev.topWord = {{"pian2", 1e-6}};
    EXPECT_EQ(MakeReadings(U'便', U'便', d.Of(U'便'), ev, Unihan{}, d.index),
              std::vector<std::string>{"bian4 convenient"});
}

TEST(ReadingsTest, ANeutralToneInWordsCountsForTheToneTheWordsUseMost) {
    // 東西 dong1 xi5: xi counts for xi1; the rare xi3 gains nothing from it.
    Dictionary d({Entry(U"西", "xi1", {"west"}), Entry(U"西", "xi3", {"to wash"})});
    ReadingEvidence ev;
    ev.inWords = {{"xi1", 10}, {"xi", 80}, {"xi3", 1}};
    ev.topWord = {{"xi", 1e-4}};
    EXPECT_EQ(MakeReadings(U'西', U'西', d.Of(U'西'), ev, Unihan{}, d.index), std::vector<std::string>{"xi1 west"});
}

TEST(ReadingsTest, WrittenMeaningsAreReadAndABadLineStopsTheBuild) {
    WrittenMeanings meanings;
    std::string error;
    EXPECT_TRUE(ParseWrittenMeanings("# comment\n在\tzai4\tat; in; to exist\n\n了\tle\t(particle) done\n", meanings, error));
    EXPECT_EQ(meanings.size(), 2u);
    EXPECT_EQ((meanings[{U"在", "zai4"}]), "at; in; to exist");
    // An example word's translation, up to 60 characters, its reading a syllable per character.
    EXPECT_TRUE(ParseWrittenMeanings("大廈\tda4 sha4\tlarge building; mansion\n", meanings, error));
    EXPECT_EQ((meanings[{U"大廈", "da4 sha4"}]), "large building; mansion");
    EXPECT_FALSE(ParseWrittenMeanings("大廈\tda4\tbuilding\n", meanings, error));
    EXPECT_FALSE(ParseWrittenMeanings("討\ttao3\tto discuss; to ask for; to beg; to provoke\n", meanings, error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
    EXPECT_FALSE(ParseWrittenMeanings("在\tzai9\tat\n", meanings, error));
    EXPECT_FALSE(ParseWrittenMeanings("在在在在在\tzai4 zai4 zai4 zai4 zai4\tat\n", meanings, error));
    EXPECT_FALSE(ParseWrittenMeanings("在\tzai4\t\xE5\x9C\xA8\n", meanings, error));
}

TEST(ReadingsTest, EverydayWordsNeedAReadingPerCharacterAndATranslationOrDash) {
    std::map<std::u32string, EverydayWord> words;
    std::string error;
    ASSERT_TRUE(ParseEverydayWords("# comment\n便當\tbian4 dang1\tlunch box\n公車\tgong1 che1\t-\n", words, error)) << error;
    EXPECT_EQ(words.at(U"便當").translation, "lunch box");
    EXPECT_EQ(words.at(U"公車").translation, "");
    EXPECT_FALSE(ParseEverydayWords("便當\tbian4\tlunch box\n", words, error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
    EXPECT_FALSE(ParseEverydayWords("車\tche1\tcar\n", words, error));
    EXPECT_FALSE(ParseEverydayWords("便當\tbian4 dang1\tbent\xc5\x8d\n", words, error));
}
