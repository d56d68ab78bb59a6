// The example words come from the word list's index by character, and must be exactly what a walk
// of the whole list finds: every word holding the character, once, in list order.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "data/program_state.h"
#include "data/word_lists.h"
#include "engine/selection.h"
#include "tests/support/test_support.h"

namespace {

using Examples = std::vector<std::string>;

std::string Key(const WideString& word, const WideString& text) { return Units(word) + LowBytes(text); }

// The plain way: walk the word list with its cursor and take every word that holds the code.
Examples ByWalking(std::uint16_t code) {
    Examples found;
    WordPairList& words = App.WordList;
    words.cursor = words.head;
    for (const WordNode* node = words.head; node != nullptr; node = words.Advance()) {
        bool holds = false;
        for (std::size_t i = 0; i < node->Word().length(); ++i) holds = holds || node->Word()[i] == code;
        if (holds) found.push_back(Key(node->Word(), node->Text()));
    }
    return found;
}

Examples Collected(std::uint16_t code) {
    App.CurrentChar = code;
    CollectExamples();
    Examples found;
    for (const PairNode* node = App.ExampleList.head; node != nullptr; node = node->next)
        found.push_back(Key(node->pair.first, node->pair.second));
    EXPECT_EQ(App.ExampleList.count, static_cast<int>(found.size()));
    EXPECT_EQ(App.WordList.cursor, App.WordList.tail) << "the collection leaves the cursor where a walk would";
    return found;
}

}  // namespace

TEST(CollectExamples, GivesWhatAWalkOfTheWholeBundledListGives) {
    TestFolder folder;
    std::filesystem::copy_file(std::filesystem::path(LUMORA_SOURCE_DIR) / "database" / "wtf", "wtf");
    ASSERT_EQ(LoadWdsList(), 1);
    std::map<std::uint16_t, int> used;  // each character of the words, with its number of words
    for (const WordNode* node = App.WordList.head; node != nullptr; node = node->next)
        for (std::size_t i = 0; i < node->Word().length(); ++i) ++used[node->Word()[i]];
    ASSERT_GT(used.size(), 1000u);
    std::uint16_t mostUsed = 0;
    int most = 0;
    for (const auto& [code, words] : used)
        if (words > most) {
            mostUsed = code;
            most = words;
        }

    // The first collection walks the list (here for the character in most words), later ones use
    // the index: every seventh character of the words, and codes no word holds.
    std::vector<std::uint16_t> codes = {mostUsed, 0, 'A', 0x3000, 0xFFFE};
    int k = 0;
    for (const auto& entry : used)
        if (k++ % 7 == 0) codes.push_back(entry.first);
    std::size_t longest = 0;
    for (std::uint16_t code : codes) {
        const Examples walked = ByWalking(code);
        ASSERT_EQ(Collected(code), walked) << code;
        longest = std::max(longest, walked.size());
    }
    EXPECT_GT(longest, 50u);  // long lists were compared too, not only short ones

    // The form the learner chose for display does not change which words are listed.
    App.DisplayOptions = CharsSimplified | ExamplesSimplified;
    EXPECT_EQ(Collected(mostUsed), ByWalking(mostUsed));
}

TEST(CollectExamples, RepeatedCharactersZeroUnitsAndWordsAddedLater) {
    TestFolder folder;
    TestDatabase db;
    const std::uint16_t a = 0x4E00, b = 0x4E01, c = 0x4E02;
    db.AddWord({a, b, a}, "<a b a> twice");
    db.AddWord({b}, "<b> alone");
    db.AddWord({}, "<> empty");
    db.AddWord({0x10, 0, a}, "<x> the word ends at its zero unit");
    db.AddWord({c, a}, "<c a> at the end");
    db.Write();
    ASSERT_EQ(LoadWdsList(), 1);
    for (std::uint16_t code : {a, b, c, std::uint16_t{0}, std::uint16_t{0x10}, std::uint16_t{0x4E03}})
        EXPECT_EQ(Collected(code), ByWalking(code)) << code;
    EXPECT_EQ(Collected(a), (Examples{"19968 19969 19968 <a b a> twice", "19970 19968 <c a> at the end"}));
    EXPECT_TRUE(Collected(0).empty());
    EXPECT_TRUE(Collected(0x4E03).empty());

    // A word appended after the index was built is found as well, at the end.
    const std::uint16_t later[] = {b, c};
    App.WordList.Append(later, 2, "<b c> later", 11);
    EXPECT_EQ(Collected(b), ByWalking(b));
    EXPECT_EQ(Collected(b).back(), "19969 19970 <b c> later");

    App.WordList.Clear();
    EXPECT_TRUE(Collected(a).empty());
    EXPECT_EQ(App.WordList.head, nullptr);
}
