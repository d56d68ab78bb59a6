// The owning strings' kept length, the word list's store and reading files whole.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "data/byte_io.h"
#include "data/lists.h"
#include "data/strings.h"
#include "data/file_faults.h"
#include "data/whole_file.h"
#include "tests/support/test_support.h"

TEST(WideString, KeepsItsLengthThroughEveryOperation) {
    const std::uint16_t wide[] = {0x4E2D, 'a', 0, 'b'};
    const WideString empty, ma("ma"), zhong(wide), exact(wide, 2);
    EXPECT_EQ(empty.length(), 0u);
    EXPECT_EQ(empty.data()[0], 0);
    EXPECT_EQ(zhong.length(), 2u);  // copied up to the zero unit
    EXPECT_EQ(exact, zhong);
    EXPECT_EQ(exact.data()[2], 0);  // still zero-terminated

    const WideString joined = ma + zhong;
    EXPECT_EQ(joined.length(), 4u);
    EXPECT_EQ(Units(joined), "109 97 20013 97 ");
    EXPECT_EQ(joined.data()[4], 0);
    EXPECT_EQ((empty + empty).length(), 0u);
    EXPECT_EQ(joined.Left(3).length(), 3u);
    EXPECT_EQ(joined.Left(99), joined);
    EXPECT_EQ(joined.Left(0), empty);

    WideString copy(ma);
    copy = joined;
    EXPECT_EQ(copy.length(), 4u);
    const WideString& same = copy;
    copy = same;  // assigned to itself, it keeps its text
    EXPECT_EQ(copy, joined);
    copy = empty;
    EXPECT_EQ(copy.length(), 0u);
    EXPECT_NE(joined.Left(2), ma + WideString("x"));  // same length, other units
}

TEST(WordPairList, AppendWalkIndexAndClearAcrossBlocks) {
    WordPairList list;
    const std::uint16_t nihao[] = {0x4F60, 0x597D};
    list.Append(nihao, 2, "<ni3 hao3> hello", 16);
    list.Append(nullptr, 0, "", 0);
    ASSERT_EQ(list.count, 2);
    EXPECT_EQ(list.head->next, list.tail);
    EXPECT_EQ(list.cursor, nullptr);  // appending leaves the cursor alone
    // Words read back as appended; texts are kept hidden and read revealed.
    EXPECT_EQ(Units(list.head->Word()), "20320 22909 ");
    EXPECT_EQ(NarrowString(list.head->Text()).c_str(), std::string("<ni3 hao3> hello"));
    EXPECT_EQ(list.head->Text()[0], '<');
    EXPECT_EQ(WideString(list.tail->Word()).length(), 0u);

    list.cursor = list.head;
    EXPECT_EQ(list.Advance(), list.tail);
    EXPECT_EQ(list.Advance(), nullptr);
    EXPECT_EQ(list.cursor, list.tail);  // past the last node the cursor stays on it

    // Enough words to fill many blocks: every one reads back whole, and the index finds them all.
    const std::string text(200, 'x');
    for (int i = 0; i < 3000; ++i) {
        const std::uint16_t word[] = {static_cast<std::uint16_t>(0x5000 + i % 7), 0x4F60};
        list.Append(word, 2, text.c_str(), text.size());
    }
    ASSERT_EQ(list.count, 3002);
    int whole = 0;
    for (const WordNode* node = list.head->next->next; node != nullptr; node = node->next)
        whole += NarrowString(node->Text()).c_str() == text && node->Word()[1] == 0x4F60;
    EXPECT_EQ(whole, 3000);
    const auto holding = list.Holding(0x4F60);  // the first request walks the list
    ASSERT_EQ(holding.size(), 3001u);
    EXPECT_EQ(holding.front(), list.head);
    EXPECT_EQ(holding.back(), list.tail);
    EXPECT_EQ(list.Holding(0x5000 + 3).size(), 3000u / 7 + 1);  // later ones use the index
    const auto indexed = list.Holding(0x4F60);
    EXPECT_TRUE(std::equal(holding.begin(), holding.end(), indexed.begin(), indexed.end()));
    EXPECT_TRUE(list.Holding(0xFFFF).empty());

    list.Clear();
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.tail, nullptr);
    EXPECT_EQ(list.cursor, nullptr);
    EXPECT_EQ(list.count, 0);
    EXPECT_TRUE(list.Holding(0x4F60).empty());
    list.Append(nihao, 2, "again", 5);  // usable again after clearing
    EXPECT_EQ(list.Holding(0x597D).size(), 1u);
}

TEST(ReadWholeFile, MissingEmptyLargeAndFromWhereAnOpenFileStands) {
    TestFolder folder;
    FileBytes bytes{1, 2, 3};
    FileFault fault;
    EXPECT_EQ(ReadWholeFile("missing", bytes, MiB, &fault), 0);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(fault.kind, FaultKind::Missing);

    WriteFileBytes("empty", {});
    EXPECT_EQ(ReadWholeFile("empty", bytes, MiB), 1);
    EXPECT_TRUE(bytes.empty());

    Bytes large(300001);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    WriteFileBytes("large", large);
    EXPECT_EQ(ReadWholeFile("large", bytes, large.size()), 1);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), large);

    ByteFile file("large", "rb");
    EXPECT_EQ(ReadU16(file.get()), large[0] | large[1] << 8);
    EXPECT_EQ(ReadWholeFile(file.get(), "large", bytes, MiB), 1);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), Bytes(large.begin() + 2, large.end()));
    EXPECT_EQ(ReadWholeFile(static_cast<std::FILE*>(nullptr), "none", bytes, MiB), 0);
}

TEST(ReadWholeFile, RefusesAFileOverItsLimitUnreadAndStopsAnEndlessOneThere) {
    TestFolder folder;
    FileBytes bytes;
    FileFault fault;
    WriteFileBytes("over", Bytes(1001, 7));
    EXPECT_EQ(ReadWholeFile("over", bytes, 1000, &fault), 0);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(fault.kind, FaultKind::TooLarge);
    EXPECT_EQ(fault.file, "over");
    EXPECT_EQ(fault.size, 1001u);
    EXPECT_EQ(fault.limit, 1000u);

    // A device reports no size and never ends: the read stops just past the limit.
    fault = FileFault();
    EXPECT_EQ(ReadWholeFile("/dev/zero", bytes, 100000, &fault), 0);
    EXPECT_EQ(fault.kind, FaultKind::TooLarge);
    EXPECT_EQ(bytes.capacity(), 0u) << "nothing of it is kept";

    std::filesystem::create_directory("folder");
    EXPECT_EQ(ReadWholeFile("folder", bytes, 1000, &fault), 0);
    EXPECT_EQ(fault.kind, FaultKind::Unreadable);
    EXPECT_EQ(fault.error, EISDIR);
}
