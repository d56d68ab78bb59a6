// The word file read ahead while the program starts: LoadWdsList takes exactly the words it would
// have read, fails as for a missing file when there was none, and reads the file itself when the
// words were read for another file.
#include <cstdio>

#include <gtest/gtest.h>

#include "data/log.h"
#include "data/program_state.h"
#include "data/word_lists.h"
#include "shell/work_ahead.h"
#include "tests/support/test_support.h"

namespace {

// The word list as lines of "units |text".
Lines Words()
{
    Lines out;
    for (const WordNode* node = App.WordList.head; node; node = node->next)
        out.push_back(Units(node->Word()) + "|" + NarrowString(node->Text()).c_str());
    return out;
}

TEST(WordFileAhead, HandsOverTheWordsLoadWdsListWouldRead)
{
    // Two words, 你好 and 一, with texts hidden as the file holds them.
    const Bytes WordFile = {2, 0x60, 0x4F, 0x7D, 0x59, 4, 'c', '1', '6', 'l', 1, 0x00, 0x4E, 1, '='};
    Lines direct;
    {
        TestFolder folder;
        WriteFileBytes("wtf", WordFile);
        ASSERT_EQ(LoadWdsList(), 1);
        direct = Words();
        ASSERT_EQ(direct.size(), 2u);
    }
    {
        TestFolder folder;
        WriteFileBytes("wtf", WordFile);
        const WordFileAhead ahead;
        EXPECT_NE(ReadWords, ReadWordFile) << "the load will take what was read ahead";
        ASSERT_EQ(LoadWdsList(), 1);
        EXPECT_EQ(Words(), direct);
        EXPECT_EQ(ReadWords, ReadWordFile) << "handed over once; a later load reads the file itself";
    }
    {
        TestFolder folder;
        const WordFileAhead ahead;  // no word file at all
        EXPECT_EQ(LoadWdsList(), 0);
        EXPECT_EQ(LogLines(), Lines{"738"});
        EXPECT_EQ(App.WordList.count, 0);
    }
    {
        TestFolder folder;
        WriteFileBytes("wtf", {1, 9, 0, 1, '='});
        const WordFileAhead ahead;
        WriteFileBytes("other", WordFile);
        App.Files.Words = "other";
        ASSERT_EQ(LoadWdsList(), 1);
        EXPECT_EQ(Words(), direct) << "words read for another file are not taken";
    }
    EXPECT_EQ(ReadWords, ReadWordFile) << "every read-ahead leaves the hook as it found it";
}

}  // namespace
