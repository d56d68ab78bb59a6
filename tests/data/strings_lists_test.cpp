// The owning strings, the linked lists, Scramble and the little-endian readers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "data/byte_io.h"
#include "data/lists.h"
#include "data/scramble.h"
#include "data/strings.h"
#include "tests/support/test_support.h"

namespace {

std::vector<std::uint16_t> Units(const WideString& s) {
    return std::vector<std::uint16_t>(s.data(), s.data() + s.length());
}

}  // namespace

TEST(Strings, NarrowStringSources) {
    EXPECT_STREQ(NarrowString().c_str(), "");
    EXPECT_STREQ(NarrowString(static_cast<const char*>(nullptr)).c_str(), "");
    EXPECT_STREQ(NarrowString(0LL).c_str(), "0");
    EXPECT_STREQ(NarrowString(-2147483648LL).c_str(), "-2147483648");
    EXPECT_STREQ(NarrowString(564282LL).c_str(), "564282");
    // Narrowing keeps the low byte of every unit.
    const std::uint16_t wide[] = {0x4E2D, 'a', 0x00E9, 0};
    NarrowString narrow{WideString(wide)};
    ASSERT_EQ(narrow.length(), 3u);
    EXPECT_EQ(static_cast<unsigned char>(narrow.c_str()[0]), 0x2D);
    EXPECT_EQ(narrow.c_str()[1], 'a');
    EXPECT_EQ(static_cast<unsigned char>(narrow.c_str()[2]), 0xE9);
}

TEST(Strings, CopiesNeverShareTheirBuffer) {
    NarrowString a("student.lumora");
    NarrowString b(a);
    EXPECT_NE(a.c_str(), b.c_str());
    b = NarrowString("sf04");
    EXPECT_STREQ(a.c_str(), "student.lumora");
    const NarrowString& same = b;
    b = same;  // self-assignment keeps the text
    EXPECT_STREQ(b.c_str(), "sf04");

    WideString w("ma1");
    WideString v(w);
    EXPECT_NE(w.data(), v.data());
    v = WideString("ni3");
    EXPECT_TRUE(w == WideString("ma1"));
}

TEST(Strings, WideStringWidensBytesWithoutSign) {
    WideString w("\xE9z");
    EXPECT_EQ(Units(w), (std::vector<std::uint16_t>{0x00E9, 'z'}));
    EXPECT_EQ(WideString(NarrowString("ab")), WideString("ab"));
    EXPECT_EQ(WideString(static_cast<const std::uint16_t*>(nullptr)).length(), 0u);
}

TEST(Strings, ConcatenationLeftAndComparison) {
    WideString ni("ni"), hao("hao3");
    WideString joined = ni + hao;
    EXPECT_EQ(joined, WideString("nihao3"));
    EXPECT_EQ(ni, WideString("ni"));  // operands unchanged
    EXPECT_EQ(joined.Left(2), WideString("ni"));
    EXPECT_EQ(joined.Left(0), WideString(""));
    EXPECT_EQ(joined.Left(100), joined);
    // A prefix is not equal, in either direction.
    EXPECT_NE(WideString("ma"), WideString("ma1"));
    EXPECT_NE(WideString("ma1"), WideString("ma"));
    EXPECT_EQ(WideString() + WideString(), WideString(""));
}

TEST(Lists, AppendWalkAndClear) {
    StringList list;
    list.Append(WideString("de"));
    EXPECT_EQ(list.head, list.tail);
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.cursor, nullptr);  // append never moves the cursor
    list.Append(WideString("le"));
    list.Append(WideString("ma"));
    EXPECT_EQ(list.count, 3);

    list.cursor = list.head;
    EXPECT_EQ(list.cursor->text, WideString("de"));
    ASSERT_NE(list.Advance(), nullptr);
    EXPECT_EQ(list.cursor->text, WideString("le"));
    ASSERT_NE(list.Advance(), nullptr);
    EXPECT_EQ(list.Advance(), nullptr);  // past the last node: nothing, cursor stays on the last
    EXPECT_EQ(list.cursor, list.tail);
    EXPECT_EQ(list.cursor->text, WideString("ma"));

    list.Clear();
    EXPECT_EQ(list.head, nullptr);
    EXPECT_EQ(list.tail, nullptr);
    EXPECT_EQ(list.cursor, nullptr);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.Advance(), nullptr);  // walking an empty list is harmless
    list.Append(WideString("ni"));       // and the list is usable again
    EXPECT_EQ(list.head, list.tail);
}

TEST(Lists, PairListHoldsCopies) {
    PairList list;
    StringPair pair{WideString("ni3"), WideString("you")};
    list.Append(pair);
    pair.first = WideString("changed");
    EXPECT_EQ(list.head->pair.first, WideString("ni3"));
    EXPECT_EQ(list.head->pair.second, WideString("you"));
    // A long list is released without trouble.
    for (int i = 0; i < 100000; ++i) list.Append(pair);
    EXPECT_EQ(list.count, 100001);
    list.Clear();
    EXPECT_EQ(list.count, 0);
}

TEST(ScrambleTest, SubstitutesPrintableBytesAndIsItsOwnInverse) {
    char text[] = "abc";
    Scramble(text);
    EXPECT_STREQ(text, ">=<");
    Scramble(text);
    EXPECT_STREQ(text, "abc");

    char edges[] = "!~0A ";
    Scramble(edges);
    EXPECT_STREQ(edges, "~!o^ ");

    char empty[] = "";
    Scramble(empty);
    EXPECT_STREQ(empty, "");
    Scramble(nullptr);

    // Control bytes, DEL and high bytes stay; the first zero byte ends the text.
    char mixed[] = {'\t', '\x7F', '\x80', '\xFF', 'a', 0, 'a', 0};
    Scramble(mixed);
    EXPECT_EQ(std::memcmp(mixed, "\t\x7F\x80\xFF>\0a", 7), 0);
}

TEST(ByteIo, LittleEndianReadsAndEndOfFile) {
    TestFolder folder;
    WriteFileBytes("bytes", {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0xAB});
    ByteFile file("bytes", "rb");
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(ReadU16(file.get()), 0x1234);
    EXPECT_EQ(ReadU32(file.get()), 0x12345678LL);
    EXPECT_EQ(ReadU32(file.get()), 0xFFFFFFFFLL);  // a full value, not the end-of-file mark
    EXPECT_EQ(ReadU16(file.get()), -1);            // one byte left is not a value
    EXPECT_EQ(ReadU32(file.get()), -1);

    ByteFile out("written", "wb");
    WriteU16(out.get(), 2004);
    WriteU16(out.get(), 0xFFFF);
    out.Close();
    EXPECT_FALSE(out.IsOpen());
    EXPECT_EQ(ReadFileBytes("written"), (std::vector<std::uint8_t>{0xD4, 0x07, 0xFF, 0xFF}));

    ByteFile missing("no such file", "rb");
    EXPECT_FALSE(missing.IsOpen());
}
