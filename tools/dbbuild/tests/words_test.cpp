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
