#include <gtest/gtest.h>

#include <algorithm>

#include "meaning.h"

namespace {
bool PlainAscii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= 32 && c < 127; });
}
}  // namespace

TEST(MeaningTest, ReferencesToOtherCharactersAreDropped) {
    EXPECT_EQ(CleanSense("see 了望|瞭望[liao4 wang4]"), "");
    EXPECT_EQ(CleanSense("variant of 瞭[liao4]"), "");
    EXPECT_EQ(CleanSense("used in 傢伙|家伙[jia1 huo5] and 傢俱|家俱[jia1 ju4]"), "");
    EXPECT_EQ(CleanSense("abbr. for 台灣|台湾[Tai2 wan1]"), "");
    EXPECT_EQ(CleanSense("CL:個|个[ge4]"), "");
    EXPECT_EQ(CleanSense("Taiwan pr. [da3]"), "");
    EXPECT_EQ(CleanSense("used 老撾|老挝[Lao3 wo1]"), "");
    EXPECT_EQ(CleanSense("dialectal equivalent of 什麼|什么[shen2 me5]"), "");
    EXPECT_EQ(CleanSense("Kangxi radical 145"), "");  // the dictionary's "used in" without its "in"
}

TEST(MeaningTest, CjkReferencesInsideASenseLeaveCleanEnglish) {
    EXPECT_EQ(CleanSense("(possessive particle, literary equivalent of 的[de5])"), "(possessive particle)");
    EXPECT_EQ(CleanSense("noun suffix, as in 椅子[yi3 zi5] \"chair\""), "noun suffix");
    EXPECT_EQ(CleanSense("road; path (CL:條|条[tiao2],股[gu3])"), "road; path");
    EXPECT_EQ(CleanSense("equivalent to 就[jiu4]: then"), "then");
    EXPECT_EQ(CleanSense("(bound form) individual"), "individual");
}

TEST(MeaningTest, PlainSensesStayWhole) {
    // A trailing preposition is only cut where a Chinese reference was taken away.
    EXPECT_EQ(CleanSense("to look for"), "to look for");
    EXPECT_EQ(CleanSense("used in transliteration"), "used in transliteration");
    EXPECT_EQ(CleanSense("  to hit  "), "to hit");
}

TEST(MeaningTest, AccentsAndTypographyBecomeAscii) {
    EXPECT_EQ(AsciiFold("café Pokémon"), "cafe Pokemon");
    EXPECT_EQ(AsciiFold("“quoted” – dash…"), "\"quoted\" - dash...");
    EXPECT_EQ(AsciiFold("Ming Dynasty (1368–1644) 明"), "Ming Dynasty (1368-1644) ");
    EXPECT_EQ(CleanSense("1st earthly branch: 11 p.m.–1 a.m."), "1st earthly branch: 11 p.m.-1 a.m.");
}

TEST(MeaningTest, ComposedMeaningsKeepTheShortGlossesWithinTheBound) {
    // The long explanation gives way to the glosses that follow it.
    std::vector<std::string> da = {
        "a semantically light, transitive verb that is combined with various grammatical objects to form "
        "compound verbs (e.g. 打傘|打伞[da3 san3] \"to hold an umbrella\")",
        "to hit; to strike", "to fight", "(coll.) from; since (as in 打那以後|打那以后[da3 na4 yi3 hou4] \"since then\")"};
    EXPECT_EQ(ComposeMeaning(da, 40), "to hit; to strike; to fight");
    // Surnames come last, and only if they fit.
    EXPECT_EQ(ComposeMeaning({"surname Wang", "king"}, 40), "king; surname Wang");
    EXPECT_EQ(ComposeMeaning({"surname Wang", "king or monarch of the land"}, 20), "king or monarch");
    // Nothing but references: nothing.
    EXPECT_EQ(ComposeMeaning({"variant of 裡|里[li3]"}, 40), "");
    // Repeated senses are given once.
    EXPECT_EQ(ComposeMeaning({"that", "that", "those"}, 40), "that; those");
    EXPECT_EQ(ComposeMeaning({"(specifier) that; those", "(pronoun) that (referring to persons)", "then"}, 40),
              "(specifier) that; those; then");
}

TEST(MeaningTest, ASenseThatNeverFitsIsCutAtAClauseOrWord) {
    std::string m = ComposeMeaning({"(used in names of people and shops, symbolizing prosperity)"}, 40);
    EXPECT_EQ(m, "used in names of people and shops");
    m = ComposeMeaning({"classifier for birds and certain animals, one of a pair, some utensils"}, 40);
    EXPECT_EQ(m, "classifier for birds and certain animals");
    m = ComposeMeaning({"classifier used before a noun that has no specific classifier of its own"}, 40);
    EXPECT_LE(m.size(), 40u);
    EXPECT_EQ(m, "classifier used before a noun");
}

TEST(MeaningTest, RealDictionaryLinesStayAsciiAndBounded) {
    std::vector<std::vector<std::string>> lines = {
        {"(sentence-final particle) used in questions to link back to prior discourse or context (\"what about...?\")",
         "(discourse particle) used to mark a slight pause"},
        {"son", "child", "seed", "1st earthly branch: 11 p.m.–1 a.m., midnight, year of the rat",
         "viscount, fourth of five orders of nobility 五等爵位[wu3 deng3 jue2 wei4]"},
        {"Ming Dynasty (1368–1644)", "surname Ming"},
        {"bright", "opposite: dark 暗[an4]", "(of meaning) clear"},
    };
    for (const auto& senses : lines) {
        for (std::size_t bound : {20u, 40u, 60u}) {
            std::string m = ComposeMeaning(senses, bound);
            EXPECT_FALSE(m.empty());
            EXPECT_LE(m.size(), bound) << m;
            EXPECT_TRUE(PlainAscii(m)) << m;
            EXPECT_EQ(m.find("()"), std::string::npos) << m;
        }
    }
}

TEST(MeaningTest, PronunciationNotesAreDropped) {
    EXPECT_EQ(CleanSense("colloquial pr. [xie3]"), "");
    EXPECT_EQ(CleanSense("(specifier) that; those (colloquial pr. [nei4])"), "(specifier) that; those");
    EXPECT_EQ(ComposeMeaning({"blood", "colloquial pr. [xie3]"}, 40), "blood");
}

TEST(MeaningTest, EverydaySensesComeFirstAndSlangOnlyWhenNothingElseIsLeft) {
    // A sense made of glosses too long as a whole gives its first glosses, not the next sense.
    EXPECT_EQ(ComposeMeaning({"to go back; to return; to turn back; to turn around", "to reply; to answer"}, 40),
              "to go back; to return; to turn back");
    EXPECT_EQ(ComposeMeaning({"fowl", "chicken", "(slang) prostitute"}, 40), "fowl; chicken");
    EXPECT_EQ(ComposeMeaning({"young lady", "miss", "(vulgar) whore"}, 40), "young lady; miss");
    EXPECT_EQ(ComposeMeaning({"(literary) to regard", "to look at"}, 40), "to look at; to regard");
    EXPECT_EQ(ComposeMeaning({"(Beijing dialect) stupid", "two"}, 40), "two; (Beijing dialect) stupid");
    // A character whose only sense is vulgar keeps it: there is nothing else to say.
    EXPECT_EQ(ComposeMeaning({"(vulgar) cunt"}, 40), "(vulgar) cunt");
    // Place tags and grammarians' labels are not meanings.
    EXPECT_EQ(ComposeMeaning({"(of an animal) soft-bodied", "(Tw) software"}, 40), "software; (of an animal) soft-bodied");
    EXPECT_EQ(ComposeMeaning({"(meaningless bound form)", "jealous (bound form)"}, 40), "jealous");
    EXPECT_EQ(ComposeMeaning({"(bound form) having the same meaning as the free word 雞|鸡[ji1]", "hen"}, 40), "hen");
}

TEST(MeaningTest, TaiwanLabelsSayWhereASenseIsUsedNotWhatItMeans) {
    std::string sense = "(HK, Tw) boarding pass";
    EXPECT_TRUE(TakeTaiwanLabel(sense));
    EXPECT_EQ(sense, "boarding pass");
    sense = "yogurt (loanword) (Tw)";
    EXPECT_TRUE(TakeTaiwanLabel(sense));
    EXPECT_EQ(sense, "yogurt (loanword)");
    sense = "(Tw, HK, Macau) tofu pudding";
    EXPECT_TRUE(TakeTaiwanLabel(sense));
    EXPECT_EQ(sense, "tofu pudding");
    // Not a list of regions: the parenthesis stays.
    for (std::string other : {"(Tw, jocular) to fall", "(formerly Twitter) X", "(of a computer) to crash"}) {
        std::string kept = other;
        EXPECT_FALSE(TakeTaiwanLabel(kept));
        EXPECT_EQ(kept, other);
    }
}

TEST(MeaningTest, AWordsLongExplanationGivesItsFirstWholeClause) {
    EXPECT_EQ(ComposeMeaning({"boiled or deep-fried balls of glutinous rice flour, usually eaten during Lantern Festival"}, 60, false),
              "boiled or deep-fried balls of glutinous rice flour");
    // No clause boundary, or a first clause of one word: no translation rather than a cut one.
    EXPECT_EQ(ComposeMeaning({"to take extra lessons in a cram school or with a private tutor"}, 60, false), "");
    EXPECT_EQ(ComposeMeaning({"dumplings, glutinous rice and choice of filling wrapped in leaves and steamed"}, 60, false), "");
}
