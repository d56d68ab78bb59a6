#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "lint.h"

namespace {

int Count(const std::vector<LintRule>& rules, const std::string& name) {
    for (const LintRule& r : rules) {
        if (r.name == name) return r.count;
    }
    ADD_FAILURE() << "no rule " << name;
    return -1;
}

// 好 and 的 with sound records and words; each test plants one fault.
DatabaseContent Sound() {
    DatabaseContent db;
    db.index = {U'的', U'好'};
    db.chars[U'的'] = CharInfo{U'的', 21000, 0, 0, {"de of; 's", "di2 really and truly"}};
    db.chars[U'好'] = CharInfo{U'好', 5000, 0, 0, {"hao3 good", "hao4 to be fond of"}};
    db.chars[U'真'] = CharInfo{U'真', 10, 0, 0, {"zhen1 real"}};
    db.words = {{{U'真', U'的'}, "<zhen1 de> really"}, {{U'好', U'的'}, "<hao3 de> OK"}};
    return db;
}

}  // namespace

TEST(LintTest, ASoundDatabaseBreaksNoRule) {
    Unihan unihan;
    unihan[U'的'].big5Level = unihan[U'好'].big5Level = 1;
    unihan[U'的'].frequencyBand = unihan[U'好'].frequencyBand = 1;
    for (const LintRule& rule : Lint(Sound(), &unihan)) {
        // Two characters are far from all running text; everything else is sound.
        EXPECT_EQ(rule.count, rule.name == "order.weight-sum" ? 1 : 0) << rule.name;
    }
    EXPECT_DOUBLE_EQ(IndexShare(Sound()), 26000.0 / 524288.0);
}

TEST(LintTest, EachPlantedFaultIsCounted) {
    Unihan unihan;
    unihan[U'的'].big5Level = 1;  // 好 outside Big5, as a Japanese-only form would be
    EXPECT_EQ(Count(Lint(Sound(), &unihan), "order.not-traditional"), 1);
    // 好 in Big5 but naming another character as its traditional form, as 锺 names 鍾.
    unihan[U'好'].big5Level = 2;
    unihan[U'好'].traditional = {U'奾'};
    unihan[U'的'].traditional = {U'的', U'旳'};
    auto rules = Lint(Sound(), &unihan);
    EXPECT_EQ(Count(rules, "order.not-traditional"), 0);
    EXPECT_EQ(Count(rules, "order.simplified-only"), 1);
    {
        DatabaseContent db = Sound();
        db.chars[U'好'].readings = {"hao3 good (very", "hao4 used", "hoa3 bad"};
        auto rules = Lint(db, nullptr);
        EXPECT_EQ(Count(rules, "meanings.parentheses"), 1);
        EXPECT_EQ(Count(rules, "meanings.remnant"), 1);
        EXPECT_EQ(Count(rules, "readings.syllable"), 1);
        // Without hao3 the word 好的 no longer agrees with its characters.
        db.chars[U'好'].readings = {"hao4 to be fond of"};
        EXPECT_EQ(Count(Lint(db, nullptr), "examples.reading"), 1);
    }
    {
        DatabaseContent db = Sound();
        db.chars[U'好'].readings = {"hao3 good", "hao4 (slang) to hook up", "hao1 surname Hao"};
        auto rules = Lint(db, nullptr);
        EXPECT_EQ(Count(rules, "meanings.slang"), 1);
        EXPECT_EQ(Count(rules, "readings.name-only"), 1);
        db.chars[U'好'].readings.push_back("hao2 x");
        EXPECT_EQ(Count(Lint(db, nullptr), "readings.count"), 1);
    }
    {
        DatabaseContent db = Sound();
        db.words.push_back({{U'好', U'的'}, "<hao3 de> OK"});  // the same text twice for 好 and 的
        db.words.push_back({{U'的', U'真'}, "<di2 zhen1> (vulgar) whatever"});
        auto rules = Lint(db, nullptr);
        EXPECT_EQ(Count(rules, "examples.duplicate"), 2);
        EXPECT_EQ(Count(rules, "examples.coarse"), 1);
    }
    {
        DatabaseContent db = Sound();
        db.words.clear();
        EXPECT_EQ(Count(Lint(db, nullptr), "examples.none-in-first-3000"), 2);
    }
}

TEST(LintTest, TaiwanFaultsAreCounted) {
    DatabaseContent db = Sound();
    // 餘 carrying 余's own sense; a second reading that only names a place and another reading.
    db.chars[U'余'] = CharInfo{U'余', 10, 0, 0, {"yu2 I; me"}};
    db.chars[U'餘'] = CharInfo{U'餘', 10, U'余', 1, {"yu2 surplus; I; me", "xu2 (place name); another reading"}};
    // A translation cut at a reference and one ending mid-phrase; a word Taiwan writes otherwise.
    db.words.push_back({{U'真', U'好'}, "<zhen1 hao3> good (often followed"});
    db.words.push_back({{U'好', U'真'}, "<hao3 zhen1> true to the"});
    db.words.push_back({{U'的', U'好'}, "<de hao3> variant of"});
    PhraseTable phrases = {{U"好的", {U"好喔"}}, {U"真的", {U"真的", U"真滴"}}};
    auto rules = Lint(db, nullptr, &phrases);
    EXPECT_EQ(Count(rules, "meanings.borrowed"), 1);
    EXPECT_EQ(Count(rules, "readings.names-only"), 1);
    EXPECT_EQ(Count(rules, "examples.cut-or-fragment"), 3);
    EXPECT_EQ(Count(rules, "examples.mainland-form"), 1);  // 好的; 真的 is also Taiwan's form
    // Without the phrase table the check is left out.
    EXPECT_EQ(Count(Lint(db, nullptr), "examples.mainland-form"), 0);
    // Shared senses of two forms that are both their own characters count; a sense of one only does not.
    db.chars[U'餘'].readings = {"yu2 surplus; remaining"};
    EXPECT_EQ(Count(Lint(db, nullptr), "meanings.borrowed"), 0);
}

TEST(LintTest, TheTrainerShowsTheFirstEightWordsAndTheReviewListsThem) {
    DatabaseContent db = Sound();
    for (int i = 0; i < 10; ++i) db.words.push_back({{U'好', static_cast<std::uint16_t>(U'一' + i)}, "<hao3 yi1> x"});
    EXPECT_EQ(ExamplesOf(db, U'好').size(), 8u);
    EXPECT_EQ(ExamplesOf(db, U'好')[0]->text, "<hao3 de> OK");
    std::string review = ReviewTable(db);
    EXPECT_NE(review.find("2\t好\thao3 good | hao4 to be fond of\t好的 <hao3 de> OK | "), std::string::npos) << review;
}

TEST(LintTest, AnEncodedDatabaseReadsBackWhole) {
    DatabaseContent db = Sound();
    std::vector<CharInfo> chars;
    std::map<std::uint16_t, Glyph> glyphs;
    for (const auto& [code, info] : db.chars) {
        chars.push_back(info);
        glyphs[code] = Glyph{};
    }
    DatabaseImage image;
    std::string error;
    ASSERT_TRUE(EncodeDatabase(glyphs, chars, db.index, {"de", "hao", "zhen"}, db.words, image, error)) << error;
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("dbbuild_lint_" + std::to_string(::getpid()));
    ASSERT_TRUE(WriteDatabaseFolder(folder.string(), image, error)) << error;
    DatabaseContent back;
    ASSERT_TRUE(DecodeDatabase(folder.string(), back, error)) << error;
    EXPECT_EQ(back.index, db.index);
    EXPECT_EQ(back.chars.at(U'好').readings, db.chars.at(U'好').readings);
    EXPECT_EQ(back.chars.at(U'的').weight, 21000);
    ASSERT_EQ(back.words.size(), 2u);
    EXPECT_EQ(back.words[1].text, "<hao3 de> OK");
    // A file cut short is reported, not read past its end.
    fs::resize_file(folder / "cif", fs::file_size(folder / "cif") - 3);
    EXPECT_FALSE(DecodeDatabase(folder.string(), back, error));
    fs::remove_all(folder);
}
