#include <gtest/gtest.h>

#include "frequency.h"

namespace {

CedictEntry Entry(const std::u32string& trad, const std::u32string& simp, const std::string& pinyin,
                  std::vector<std::string> senses = {"something"}) {
    return CedictEntry{trad, simp, pinyin, std::move(senses)};
}

// 发 stands for 發 (to send) and 髮 (hair); 后 for 後 (after) and 后 (queen); 里 for 裡 and 里,
// with 裏 a mere variant of 裡.
struct Fixture {
    std::vector<CedictEntry> cedict = {
        Entry(U"發", U"发", "fa1"),          Entry(U"髮", U"发", "fa4"),
        Entry(U"後", U"后", "hou4"),         Entry(U"后", U"后", "hou4"),
        Entry(U"裡", U"里", "li3"),          Entry(U"里", U"里", "li3"),
        Entry(U"裏", U"里", "li3", {"variant of 裡|里[li3]"}),
        Entry(U"頭髮", U"头发", "tou2 fa4"), Entry(U"發現", U"发现", "fa1 xian4"),
        Entry(U"以後", U"以后", "yi3 hou4"), Entry(U"皇后", U"皇后", "huang2 hou4"),
        Entry(U"這裡", U"这里", "zhe4 li3"), Entry(U"這裏", U"这里", "zhe4 li3"),
        Entry(U"公里", U"公里", "gong1 li3"),
    };
    std::map<std::u32string, long long> words = {
        {U"头发", 100}, {U"发现", 300}, {U"以后", 300}, {U"皇后", 100}, {U"这里", 200}, {U"公里", 100}};
    Unihan unihan;
};

}  // namespace

TEST(FrequencyTest, WordEvidenceSharesASimplifiedCount) {
    Fixture f;
    FormEvidence ev = CollectEvidence(f.cedict, f.words, f.unihan);
    auto shared = ShareCounts({{U'发', 1000}, {U'后', 1000}}, ev, f.unihan);
    EXPECT_DOUBLE_EQ(shared[U'發'], 750);
    EXPECT_DOUBLE_EQ(shared[U'髮'], 250);
    EXPECT_DOUBLE_EQ(shared[U'後'], 750);
    EXPECT_DOUBLE_EQ(shared[U'后'], 250);
}

TEST(FrequencyTest, ReadingCountsDecideWhereTheReadingsTellTheFormsApart) {
    Fixture f;
    f.unihan[U'发'].pinlu = {{"fa1", 90}, {"fa4", 10}};
    // Both forms of 后 read hou4: the reading cannot tell them apart, the words still do.
    f.unihan[U'后'].pinlu = {{"hou4", 500}};
    FormEvidence ev = CollectEvidence(f.cedict, f.words, f.unihan);
    auto shared = ShareCounts({{U'发', 1000}, {U'后', 1000}}, ev, f.unihan);
    EXPECT_DOUBLE_EQ(shared[U'發'], 900);
    EXPECT_DOUBLE_EQ(shared[U'髮'], 100);
    EXPECT_DOUBLE_EQ(shared[U'後'], 750);
    EXPECT_DOUBLE_EQ(shared[U'后'], 250);
}

TEST(FrequencyTest, VariantsGetNothingAndNothingIsLost) {
    Fixture f;
    FormEvidence ev = CollectEvidence(f.cedict, f.words, f.unihan);
    EXPECT_TRUE(ev.variantOnly.count(U'裏'));
    // 这里 is split evenly between its two spellings; 裏 is dropped and its share goes to the others.
    auto shared = ShareCounts({{U'里', 600}, {U'的', 5000}, {U'後', 40}}, ev, f.unihan);
    EXPECT_EQ(shared.count(U'裏'), 0u);
    EXPECT_DOUBLE_EQ(shared[U'裡'], 300);
    EXPECT_DOUBLE_EQ(shared[U'里'], 300);
    // A character without forms keeps its count; a traditional form in the list adds its own.
    EXPECT_DOUBLE_EQ(shared[U'的'], 5000);
    auto withAfter = ShareCounts({{U'后', 1000}, {U'後', 40}}, ev, f.unihan);
    EXPECT_DOUBLE_EQ(withAfter[U'後'], 790);
    double total = 0;
    for (const auto& [c, n] : withAfter) total += n;
    EXPECT_DOUBLE_EQ(total, 1040);
}

TEST(FrequencyTest, WithoutAnyEvidenceTheFormsShareEvenly) {
    std::vector<CedictEntry> cedict = {Entry(U"乾", U"干", "gan1"), Entry(U"幹", U"干", "gan4"), Entry(U"干", U"干", "gan1")};
    Unihan unihan;
    FormEvidence ev = CollectEvidence(cedict, {}, unihan);
    auto shared = ShareCounts({{U'干', 300}}, ev, unihan);
    EXPECT_DOUBLE_EQ(shared[U'乾'], 100);
    EXPECT_DOUBLE_EQ(shared[U'幹'], 100);
    EXPECT_DOUBLE_EQ(shared[U'干'], 100);
}

TEST(FrequencyTest, SimplifiedFormFollowsTheWords) {
    Fixture f;
    f.cedict.push_back(Entry(U"乾", U"干", "gan1"));
    f.cedict.push_back(Entry(U"乾", U"乾", "qian2"));
    f.cedict.push_back(Entry(U"乾淨", U"干净", "gan1 jing4"));
    f.words[U"干净"] = 50;
    f.unihan[U'丟'].simplified = {U'丢'};
    FormEvidence ev = CollectEvidence(f.cedict, f.words, f.unihan);
    EXPECT_EQ(SimplifiedForm(U'乾', ev, f.unihan), U'干');
    EXPECT_EQ(SimplifiedForm(U'髮', ev, f.unihan), U'发');
    EXPECT_EQ(SimplifiedForm(U'后', ev, f.unihan), U'后');
    // Not in the dictionary: Unihan's variant, else the character itself.
    EXPECT_EQ(SimplifiedForm(U'丟', ev, f.unihan), U'丢');
    EXPECT_EQ(SimplifiedForm(U'人', ev, f.unihan), U'人');
    // Words also count the readings of each traditional character.
    EXPECT_DOUBLE_EQ(ev.readings[U'髮']["fa4"], 100);
    EXPECT_DOUBLE_EQ(ev.readings[U'後']["hou4"], 300);
}
