#include <gtest/gtest.h>

#include "words.h"

TEST(WordsTest, TheEverydayEntrySpeaksForAWord) {
    CedictEntry classic{U"大學", U"大学", "Da4 xue2", {"the Great Learning"}};
    CedictEntry university{U"大學", U"大学", "da4 xue2", {"university"}};
    EXPECT_EQ(ChooseEntry({&classic, &university}), &university);
    CedictEntry directions{U"東西", U"东西", "dong1 xi1", {"east and west"}};
    CedictEntry thing{U"東西", U"东西", "dong1 xi5", {"thing", "stuff", "person"}};
    EXPECT_EQ(ChooseEntry({&directions, &thing}), &thing);
    CedictEntry slang{U"卵子", U"卵子", "luan3 zi", {"testicles", "penis"}};
    CedictEntry ovum{U"卵子", U"卵子", "luan3 zi3", {"ovum"}};
    EXPECT_EQ(ChooseEntry({&slang, &ovum}), &ovum);
}

TEST(WordsTest, CoarseWordsAreRecognisedAndInnocentOnesAreNot) {
    EXPECT_TRUE(IsCoarse({"(vulgar) stupid cunt"}));
    EXPECT_TRUE(IsCoarse({"(Internet slang) WTF"}));
    EXPECT_TRUE(IsCoarse({"domestic animal", "bastards"}));
    // Further down, a coarse word only drops its sense: 機車 is a scooter.
    EXPECT_FALSE(IsCoarse({"locomotive", "(coll.) motorcycle", "(Tw) scooter", "(Tw) damn!; crap!"}));
    // A slang sense after the everyday ones does not make the word coarse; it is dropped from the text.
    EXPECT_FALSE(IsCoarse({"young lady", "(slang) prostitute"}));
    EXPECT_TRUE(HasCoarseMark("young lady; (slang) prostitute"));
    EXPECT_FALSE(IsCoarse({"to assess", "Scunthorpe", "cocktail"}));
    EXPECT_TRUE(IsCoarse({"penis (childish)"}));
    EXPECT_TRUE(IsCoarse({"whoa!", "holy crap!"}));
    EXPECT_FALSE(IsCoarse({"small bird", "(fig.) penis (kiddie term)"}));
}

TEST(WordsTest, AWordsSyllableAgreesWithItsCharactersReadings) {
    std::vector<std::string> xi = {"xi1"};
    EXPECT_TRUE(ReadingAgrees("xi1", U'西', xi));
    EXPECT_TRUE(ReadingAgrees("xi", U'西', xi));  // neutral tone in 東西
    EXPECT_FALSE(ReadingAgrees("xi3", U'西', xi));
    EXPECT_TRUE(ReadingAgrees("r", U'兒', {"er2"}));
    EXPECT_FALSE(ReadingAgrees("r", U'西', xi));
    EXPECT_EQ(ReadingsOf({"hao3 good", "hao4 to be fond of"}), (std::vector<std::string>{"hao3", "hao4"}));
}

TEST(WordsTest, TaiwanPhrasesCorrectRunningTextWithinBounds) {
    // Taiwan's phrases hold it four times as often: twice the running share; never beyond five times
    // or below a fifth, however far the two counts part.
    EXPECT_DOUBLE_EQ(ExampleFrequency(1e-5, 4e-5), 2e-5);
    EXPECT_DOUBLE_EQ(ExampleFrequency(1e-5, 1.0), 5e-5);
    EXPECT_DOUBLE_EQ(ExampleFrequency(1e-4, 0), 2e-5);  // 網站: newer than the phrase counts
    EXPECT_DOUBLE_EQ(ExampleFrequency(0, 5e-5), 2e-6);  // only the phrase counts know it
}

TEST(WordsTest, MainlandFormsAreThoseTaiwanWritesOtherwise) {
    std::map<std::u32string, std::vector<std::u32string>> table = {
        {U"軟件", {U"軟體"}}, {U"支持", {U"支援"}}, {U"界面", {U"介面"}}, {U"社區", {U"社羣", U"社區"}}};
    std::map<std::u32string, double> taiwan = {{U"軟體", 1e-4}, {U"軟件", 1e-6}, {U"支援", 1e-4}, {U"支持", 5e-5},
                                               {U"介面", 1e-4}, {U"界面", 1e-4}};
    std::map<std::u32string, double> running = {{U"軟體", 1e-5}, {U"軟件", 1e-4}, {U"支援", 5e-5}, {U"支持", 5e-5},
                                                {U"介面", 3e-6}, {U"界面", 3e-5}};
    auto of = [](const std::map<std::u32string, double>& m) {
        return [&m](const std::u32string& w) { return m.count(w) ? m.at(w) : 0.0; };
    };
    // 支持 is held half as often and preferred half as much: Taiwan writes it too. 界面 is held as
    // often (libchewing counts homophones alike) but running text holds it ten times more.
    EXPECT_EQ(MainlandForms(table, of(taiwan), of(running)), (std::set<std::u32string>{U"軟件", U"界面"}));
}

TEST(WordsTest, AVariantSpellingNamesItsStandardOnlyForTheSameReadingAndLength) {
    CedictEntry plan{U"計劃", U"计划", "ji4 hua4", {"plan"}};
    CedictEntry variant{U"計畫", U"计画", "ji4 hua4", {"variant of 計劃|计划[ji4 hua4]"}};
    CedictEntry other{U"計算", U"计算", "ji4 suan4", {"variant of 計劃|计划[ji4 hua4]"}};
    std::map<std::u32string, std::vector<const CedictEntry*>> words = {{U"計劃", {&plan}}, {U"計畫", {&variant}}, {U"計算", {&other}}};
    EXPECT_EQ(StandardSpelling(variant, words), U"計劃");
    EXPECT_EQ(StandardSpelling(plan, words), U"計劃");
    EXPECT_EQ(StandardSpelling(other, words), U"計算");
    EXPECT_TRUE(IsSpecialist({"(computing) slide", "slide show"}));
    EXPECT_TRUE(IsSpecialist({"(literary) to go"}));
    EXPECT_FALSE(IsSpecialist({"computer", "(computing) program"}));
}

TEST(WordsTest, TaiwanMarksAreFoundInEveryFormTheDictionaryWritesThem) {
    EXPECT_TRUE(MarkedForTaiwan({"(Tw) taxi"}));
    EXPECT_TRUE(MarkedForTaiwan({"(HK, Tw) boarding pass"}));
    EXPECT_TRUE(MarkedForTaiwan({"locomotive", "(Tw) scooter"}));
    EXPECT_TRUE(MarkedForTaiwan({"(in Taiwan) trainee; apprentice"}));
    EXPECT_FALSE(MarkedForTaiwan({"(formerly Twitter) X", "to tweet"}));
    EXPECT_FALSE(MarkedForTaiwan({"software"}));
}
