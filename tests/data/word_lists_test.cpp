// LoadPinyinList and LoadWdsList: the reading rules, damaged records and over-long data.
#include <gtest/gtest.h>

#include <string>

#include "data/program_state.h"
#include "data/word_lists.h"
#include "shell/log.h"
#include "tests/support/test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void WriteText(const std::string& name, const std::string& text) {
    WriteFileBytes(name, Bytes(text.begin(), text.end()));
}

std::vector<std::string> Syllables() {
    std::vector<std::string> out;
    for (StringNode* node = App.SyllableList.head; node; node = node->next)
        out.push_back(NarrowString(node->text).c_str());
    return out;
}

struct Word {
    std::vector<std::uint16_t> units;
    std::string text;
    bool operator==(const Word&) const = default;
};

std::vector<Word> Words() {
    std::vector<Word> out;
    for (PairNode* node = App.WordList.head; node; node = node->next) {
        const WideString& w = node->pair.first;
        out.push_back({std::vector<std::uint16_t>(w.data(), w.data() + w.length()),
                       NarrowString(node->pair.second).c_str()});
    }
    return out;
}

// One wtf record as the file holds it; the text is given already hidden.
Bytes Record(std::vector<std::uint16_t> word, const std::string& hidden) {
    Bytes out;
    out.push_back(static_cast<std::uint8_t>(word.size()));
    for (std::uint16_t unit : word) {
        out.push_back(static_cast<std::uint8_t>(unit));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
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
    struct Case {
        const char* what;
        std::string file;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"plain lines", "a\nai\nan\n", {"a", "ai", "an"}},
        {"blank lines between", "ma\n\n\n  \nni\n", {"ma", "ni"}},
        {"carriage returns", "ma\r\nni\r\n\r\nhao\r\n", {"ma", "ni", "hao"}},
        {"last line without its end", "ma\nni", {"ma", "ni"}},
        {"white space at a line's end stays", "ma \nni\t\n", {"ma ", "ni\t"}},
        {"white space at a later line's start goes", "ma\n   ni\n\thao\n", {"ma", "ni", "hao"}},
        {"white space at the first line's start stays", "  ma\nni\n", {"  ma", "ni"}},
        {"empty first line ends the list", "\nma\nni\n", {}},
        {"empty first line with a carriage return", "\r\nma\n", {}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        WriteText("pinyin", c.file);
        EXPECT_EQ(LoadPinyinList(), 1) << c.what;
        EXPECT_EQ(Syllables(), c.expected) << c.what;
        EXPECT_EQ(App.SyllableList.count, static_cast<int>(c.expected.size())) << c.what;
    }
}

TEST(LoadPinyinList, LinesLongerThanTheBufferAreLeftOut) {
    TestFolder folder;
    std::string longest(251, 'x'), tooLong(252, 'y');
    WriteText("pinyin", "ma\n" + tooLong + "\n" + longest + "\nni\n");
    EXPECT_EQ(LoadPinyinList(), 1);
    EXPECT_EQ(Syllables(), (std::vector<std::string>{"ma", longest, "ni"}));
}

TEST(LoadPinyinList, MissingFileAndTrace) {
    TestFolder folder;
    LogEnabled = 1;
    EXPECT_EQ(LoadPinyinList(), 0);
    EXPECT_EQ(LoadWdsList(), 0);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"LoadPinyinList", "498", "LoadWdsList", "738"}));
}

TEST(LoadWdsList, RevealsTextsAndKeepsFileOrder) {
    TestFolder folder;
    // "<ni3 hao3> hello" hidden with Scramble.
    WriteFileBytes("wtf", Join({Record({0x4F60, 0x597D}, "c16l 7>0la 7:330"),
                                Record({}, "c^a"),
                                Record({0x4E00}, "")}));
    EXPECT_EQ(LoadWdsList(), 1);
    EXPECT_EQ(Words(), (std::vector<Word>{{{0x4F60, 0x597D}, "<ni3 hao3> hello"},
                                          {{}, "<A>"},  // an empty word is kept
                                          {{0x4E00}, ""}}));
    EXPECT_EQ(App.WordList.count, 3);
}

TEST(LoadWdsList, TheTestWriterRoundTrips) {
    TestFolder folder;
    TestDatabase db;
    db.AddWord({0x4E2D, 0x570B}, "<zhong1 guo2> China");
    db.AddWord({0x4E2D}, "<zhong1> middle, centre ~!");
    db.Write();
    EXPECT_EQ(LoadWdsList(), 1);
    EXPECT_EQ(Words(), (std::vector<Word>{{{0x4E2D, 0x570B}, "<zhong1 guo2> China"},
                                          {{0x4E2D}, "<zhong1> middle, centre ~!"}}));
}

TEST(LoadWdsList, ARecordCutShortIsDropped) {
    const Bytes good = Record({0x4E00}, "=");
    Bytes wordCut = Record({0x4E01, 0x4E02}, "=");
    wordCut.resize(4);  // inside the second unit
    Bytes beforeLength = Record({0x4E01}, "=");
    beforeLength.resize(3);
    Bytes textCut = Record({0x4E01}, "=====");
    textCut.resize(textCut.size() - 2);
    for (const Bytes& cut : {wordCut, beforeLength, textCut}) {
        TestFolder folder;
        WriteFileBytes("wtf", Join({good, cut}));
        EXPECT_EQ(LoadWdsList(), 1);
        EXPECT_EQ(Words(), (std::vector<Word>{{{0x4E00}, "b"}}));
    }
}

TEST(LoadWdsList, OverLongOrUnusableRecordsAreDroppedAndTheNextIsFound) {
    TestFolder folder;
    const std::vector<std::uint16_t> longWord(250, 0x4E00), longestWord(249, 0x4E01);
    const std::string longText(252, '='), longestText(251, '=');
    WriteFileBytes("wtf", Join({Record(longWord, "="),
                                Record(longestWord, "="),
                                Record({0x4E02}, longText),
                                Record({0x4E03}, longestText),
                                Record({0x4E04, 0xFFFF}, "="),
                                Record({0x4E05}, "=")}));
    EXPECT_EQ(LoadWdsList(), 1);
    std::vector<Word> words = Words();
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].units, longestWord);
    EXPECT_EQ(words[1].text, std::string(251, 'b'));
    EXPECT_EQ(words[2], (Word{{0x4E05}, "b"}));
}

TEST(LoadWdsList, EmptyFileGivesAnEmptyList) {
    TestFolder folder;
    WriteFileBytes("wtf", {});
    EXPECT_EQ(LoadWdsList(), 1);
    EXPECT_EQ(App.WordList.count, 0);
    EXPECT_TRUE(LogLines().empty());
}
