// The pinyin syllable list and the example-word list.
#include "data/word_lists.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "data/byte_io.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/scramble.h"

namespace {

// What the read buffers of the file formats hold; longer data is out of range and is dropped whole.
constexpr std::size_t MaxSyllableLine = 251;
constexpr int MaxWordUnits = 249;
constexpr int MaxTextBytes = 251;

// One line up to its line feed (a carriage return before it belongs to the line end).
// Returns 0 when the line is empty, which ends the list as an unmatched read would.
int ReadLine(std::FILE* file, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(file)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
    if (c == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
    return !line.empty();
}

void SkipWhiteSpace(std::FILE* file) {
    int c;
    while ((c = std::fgetc(file)) != EOF && std::isspace(c)) {
    }
    if (c != EOF) std::ungetc(c, file);
}

}  // namespace

int LoadPinyinList() {
    LogTrace("LoadPinyinList");
    ByteFile pinyin(App.Files.Pinyin.c_str(), "r");
    if (!pinyin.IsOpen()) {
        LogStep(498);
        return 0;
    }
    std::string line;
    while (ReadLine(pinyin.get(), line)) {
        if (line.size() <= MaxSyllableLine) App.SyllableList.Append(WideString(line.c_str()));
        SkipWhiteSpace(pinyin.get());
    }
    return 1;
}

int LoadWdsList() {
    LogTrace("LoadWdsList");
    ByteFile words(App.Files.Words.c_str(), "rb");
    if (!words.IsOpen()) {
        LogStep(738);
        return 0;
    }
    std::FILE* file = words.get();
    // A length byte bounds both buffers, so no record can write past them.
    std::uint16_t word[256];
    char text[256];
    int n;
    while ((n = std::fgetc(file)) != EOF) {
        int usable = 1;
        for (int i = 0; i < n; ++i) {
            long unit = ReadU16(file);
            if (unit < 0) return 1;  // the file ends inside the word: that record is dropped
            if (unit == 0xFFFF) usable = 0;
            word[i] = static_cast<std::uint16_t>(unit);
        }
        word[n] = 0;

        int m = std::fgetc(file);
        if (m == EOF || std::fread(text, 1, static_cast<std::size_t>(m), file) != static_cast<std::size_t>(m)) return 1;
        text[m] = 0;

        // Over-long records are read whole, so the next record is still found, and then dropped.
        if (!usable || n > MaxWordUnits || m > MaxTextBytes) continue;
        Scramble(text);
        App.WordList.Append(StringPair{WideString(word), WideString(text)});
    }
    return 1;
}
