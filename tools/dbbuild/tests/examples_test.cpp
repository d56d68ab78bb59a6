#include <gtest/gtest.h>

#include "examples.h"

#include <algorithm>

namespace {

// What the trainer shows for a character: the first `n` words of the file that hold it.
std::vector<std::u32string> Shown(const std::vector<ExampleCandidate>& candidates, const std::vector<std::size_t>& file,
                                  char32_t c, std::size_t n) {
    std::vector<std::u32string> shown;
    for (std::size_t k : file) {
        if (shown.size() < n && candidates[k].word.find(c) != std::u32string::npos) shown.push_back(candidates[k].word);
    }
    return shown;
}

ExampleCandidate Word(const std::u32string& word, std::string text = "", bool frontOnly = false) {
    return ExampleCandidate{word, text.empty() ? "<x> " + std::to_string(word.size()) + std::to_string(word[0]) + std::to_string(word.back()) : text,
                            frontOnly};
}

auto AllTaught = [](char32_t c) { return c != U'頁'; };

}  // namespace

TEST(ExamplesTest, TheSecondHalfGoesToWordsNoOtherCharacterShows) {
    // Two examples each: the first is a character's most frequent word, the second one that no
    // other character shows.
    std::vector<ExampleCandidate> words = {Word(U"網路"), Word(U"網站"), Word(U"路口"), Word(U"網友"), Word(U"走路"), Word(U"網頁")};
    std::vector<std::size_t> file = ChooseExamples(words, AllTaught, 2);
    EXPECT_EQ(file.size(), 6u);
    // 網站 and 網友 are examples of 站 and 友; 網 keeps its place for 網頁, which only 網 can show.
    EXPECT_EQ(Shown(words, file, U'網', 2), (std::vector<std::u32string>{U"網路", U"網頁"}));
    EXPECT_EQ(Shown(words, file, U'站', 2), (std::vector<std::u32string>{U"網站"}));
    EXPECT_EQ(Shown(words, file, U'口', 2), (std::vector<std::u32string>{U"路口"}));
    // 路 has room for one word beyond its own: the first of the others in the file.
    EXPECT_EQ(Shown(words, file, U'路', 2).front(), U"網路");
}

TEST(ExamplesTest, AWordTakesNoPlaceItCannotFillAndNeverRepeatsAText) {
    // 大學 in four senses: the fourth finds both characters full. 甚麼 would show 麼 the text that
    // 什麼 shows it already.
    std::vector<ExampleCandidate> words = {Word(U"大學", "<da4 xue2> university"), Word(U"大學", "<da4 xue2> the Great Learning"),
                                           Word(U"大學", "<da4 xue2> college"), Word(U"大學", "<da4 xue2> academy"),
                                           Word(U"什麼", "<shen2 me> what"), Word(U"甚麼", "<shen2 me> what")};
    std::vector<std::size_t> file = ChooseExamples(words, AllTaught, 2);
    std::sort(file.begin(), file.end());
    EXPECT_EQ(file, (std::vector<std::size_t>{0, 1, 2, 4}));
}

TEST(ExamplesTest, AWordTaiwanWritesOtherwiseStandsOnlyAmongTheMostFrequent) {
    std::vector<ExampleCandidate> words = {Word(U"自由"), Word(U"行人"), Word(U"自行車", "<zi4 xing2 che1> bicycle", true),
                                           Word(U"火車")};
    std::vector<std::size_t> file = ChooseExamples(words, AllTaught, 2);
    // 車 still has its first half open: 自行車 is its most frequent word.
    EXPECT_EQ(Shown(words, file, U'車', 2), (std::vector<std::u32string>{U"自行車", U"火車"}));
    std::vector<ExampleCandidate> later = {Word(U"自由"), Word(U"行人"), Word(U"火車"), Word(U"汽車"),
                                           Word(U"自行車", "<zi4 xing2 che1> bicycle", true)};
    file = ChooseExamples(later, AllTaught, 2);
    EXPECT_EQ(file.size(), 4u);
}

TEST(ExamplesTest, EveryChosenWordStandsInTheFileOnce) {
    // 甲乙 is an example of 甲 only and 乙甲 of 乙 only: each waits on the other, and the circle is
    // broken rather than a word lost.
    std::vector<ExampleCandidate> words = {Word(U"甲丙"), Word(U"乙丁"), Word(U"甲乙"), Word(U"乙甲"), Word(U"甲戊"), Word(U"乙己")};
    std::vector<std::size_t> file = ChooseExamples(words, AllTaught, 2);
    std::vector<std::size_t> sorted = file;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_TRUE(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
    EXPECT_EQ(Shown(words, file, U'丙', 2), (std::vector<std::u32string>{U"甲丙"}));
}
