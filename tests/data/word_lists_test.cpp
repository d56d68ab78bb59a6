// LoadPinyinList and LoadWdsList: the reading rules, records cut short and over-long data.
#include <gtest/gtest.h>


#include "data/log.h"
#include "data/program_state.h"
#include "data/file_faults.h"
#include "data/word_lists.h"
#include "tests/data/data_test_helpers.h"
#include "tests/support/test_support.h"

namespace {

// The word list as lines of "units |text", units in decimal.
Lines Words() {
    Lines out;
    for (const WordNode* node = App.WordList.head; node; node = node->next)
        out.push_back(Units(node->Word()) + "|" + NarrowString(node->Text()).c_str());
    return out;
}

// One wtf record; the text is given already hidden.
Bytes Record(std::vector<std::uint16_t> word, const std::string& hidden) {
    Bytes out{static_cast<std::uint8_t>(word.size())};
    for (std::uint16_t unit : word) Append16(out, unit);
    out.push_back(static_cast<std::uint8_t>(hidden.size()));
    out.insert(out.end(), hidden.begin(), hidden.end());
    return out;
}

Bytes Join(std::vector<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

}  // namespace

TEST(LoadPinyinList, LineRules) {
    const std::string tooLong(252, 'y'), longest(251, 'x');
    const std::vector<std::pair<std::string, Lines>> cases = {
        {"ma\n\n\n  \nni\n", {"ma", "ni"}},                 // blank lines between
        {"ma\r\nni\r\n\r\nhao", {"ma", "ni", "hao"}},        // CR LF, last line without its end
        {"  ma \nni\t\n\thao\n", {"  ma ", "ni\t", "hao"}},  // white space: kept at ends, skipped after a line
        {"\nma\nni\n", {}},                                  // an empty first line ends the list
        {"\r\nma\n", {}},
        {"", {}},
        {"ma\n" + tooLong + "\n" + longest + "\nni", {"ma", longest, "ni"}},  // over-long lines left out
    };
    for (const auto& [text, expected] : cases) {
        TestFolder folder;
        WriteFileBytes("pinyin", Bytes(text.begin(), text.end()));
        // A list without a syllable is unusable: no answer could ever be typed.
        EXPECT_EQ(LoadPinyinList(), expected.empty() ? 0 : 1);
        EXPECT_EQ(LogLines(), expected.empty() ? Lines{"497"} : Lines{});
        EXPECT_EQ(LastFileFault.detail, expected.empty() ? FaultDetail::NoSyllables : FaultDetail::None);
        Lines got;
        for (StringNode* node = App.SyllableList.head; node; node = node->next) got.push_back(NarrowString(node->text).c_str());
        EXPECT_EQ(got, expected) << text.substr(0, 20);
        EXPECT_EQ(App.SyllableList.count, static_cast<int>(expected.size()));
    }
}

// Texts revealed, in file order; words end at their zero unit and texts at their zero byte.
TEST(LoadWdsList, RevealsTextsInFileOrder) {
    const std::vector<std::pair<Bytes, Lines>> cases = {
        {Join({Record({0x4F60, 0x597D}, "c16l 7>0la 7:330"), Record({}, "c^a"), Record({1}, "")}),
         {"20320 22909 |<ni3 hao3> hello", "|<A>", "1 |"}},  // an empty word is kept
        {Join({Record({1, 0, 2}, std::string("=\0=", 3)), Record({0}, std::string("\0=", 2)), Record({3}, "=")}),
         {"1 |b", "|", "3 |b"}},
    };
    for (const auto& [bytes, words] : cases) {
        TestFolder folder;
        WriteFileBytes("wtf", bytes);
        EXPECT_EQ(LoadWdsList(), 1);
        EXPECT_EQ(Words(), words);
    }
}

TEST(LoadWdsList, CutShortOverLongOrFFFFRecordsAreDropped) {
    const Bytes good = Record({7}, "=");
    Bytes wordCut = Record({1, 2}, "="), lengthCut = wordCut, textCut = Record({1}, "=====");
    wordCut.resize(4);
    lengthCut.resize(5);
    textCut.resize(textCut.size() - 2);
    for (const Bytes& cut : {wordCut, lengthCut, textCut, Bytes{}}) {
        TestFolder folder;
        WriteFileBytes("wtf", Join({good, cut}));
        EXPECT_EQ(LoadWdsList(), 1);
        EXPECT_EQ(Words(), (Lines{"7 |b"}));
    }
    // Over-long records are read whole and dropped, so the record after them is still found.
    TestFolder folder;
    WriteFileBytes("wtf", Join({Record(std::vector<std::uint16_t>(250, 1), "="), Record({2}, std::string(252, '=')),
                                Record({3, 0xFFFF}, "="), Record(std::vector<std::uint16_t>(249, 4), std::string(251, '=')),
                                good}));
    EXPECT_EQ(LoadWdsList(), 1);
    ASSERT_EQ(App.WordList.count, 2);
    EXPECT_EQ(App.WordList.head->Word().length(), 249u);
    EXPECT_EQ(App.WordList.head->Text().length(), 251u);
    EXPECT_EQ(Words()[1], "7 |b");
}
