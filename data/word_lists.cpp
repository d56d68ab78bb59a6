// The pinyin syllable list and the example-word list. Each file is read whole and parsed from
// memory.
#include "data/word_lists.h"

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "data/log.h"
#include "data/program_state.h"
#include "data/scramble.h"
#include "data/whole_file.h"

namespace {

// What the read buffers of the file formats hold; longer data is out of range and is dropped whole.
constexpr std::size_t MaxSyllableLine = 251;
constexpr std::size_t MaxWordUnits = 249;
constexpr std::size_t MaxTextBytes = 251;

// One wtf record as it lies in the file.
struct WordRecord {
    const std::uint8_t* word;  // 'units' little-endian code units
    std::size_t units;
    const std::uint8_t* text;  // 'bytes' hidden bytes
    std::size_t bytes;
};

// Reads the record at 'at' and moves 'at' past it. Returns 0 when the file ends inside the record.
int NextRecord(const std::vector<std::uint8_t>& file, std::size_t& at, WordRecord& record) {
    const std::size_t size = file.size();
    record.units = file[at];
    if (size - at - 1 < 2 * record.units + 1) return 0;
    record.word = &file[at + 1];
    const std::size_t textAt = at + 1 + 2 * record.units;
    record.bytes = file[textAt];
    if (size - textAt - 1 < record.bytes) return 0;
    record.text = &file[textAt + 1];
    at = textAt + 1 + record.bytes;
    return 1;
}

}  // namespace

int LoadPinyinList() {
    LogTrace("LoadPinyinList");
    std::vector<std::uint8_t> file;
    if (!ReadWholeFile(App.Files.Pinyin.c_str(), file)) {
        LogStep(498);
        return 0;
    }
    const std::size_t size = file.size();
    std::size_t at = 0;
    std::string line;
    while (at < size) {
        // One line up to its line feed (a carriage return before it belongs to the line end).
        std::size_t end = at;
        while (end < size && file[end] != '\n') ++end;
        line.assign(reinterpret_cast<const char*>(&file[at]), end - at);
        if (end < size && !line.empty() && line.back() == '\r') line.pop_back();
        // An empty line ends the list, as an unmatched read would.
        if (line.empty()) break;
        if (line.size() <= MaxSyllableLine) App.SyllableList.Append(WideString(line.c_str()));
        at = end;
        while (at < size && std::isspace(file[at])) ++at;
    }
    return 1;
}

int LoadWdsList() {
    LogTrace("LoadWdsList");
    std::vector<std::uint8_t> file;
    if (!ReadWholeFile(App.Files.Words.c_str(), file)) {
        LogStep(738);
        return 0;
    }

    // A first pass counts what the records hold, so that the list takes one block for all of them.
    std::size_t words = 0, units = 0, bytes = 0;
    WordRecord record;
    for (std::size_t at = 0; at < file.size() && NextRecord(file, at, record);) {
        ++words;
        units += record.units;
        bytes += record.bytes;
    }
    App.WordList.Reserve(words, units, bytes);

    std::uint16_t word[256];
    char text[256];
    for (std::size_t at = 0; at < file.size() && NextRecord(file, at, record);) {
        // Over-long records are dropped whole; the next record is still found by their lengths.
        if (record.units > MaxWordUnits || record.bytes > MaxTextBytes) continue;
        // A word ends at its first zero unit; a unit of 0xFFFF (what a read at the end of a file
        // yields) names no character, and a word holding one is dropped.
        std::size_t length = record.units;
        bool usable = true;
        for (std::size_t i = 0; i < record.units; ++i) {
            const std::uint16_t unit = static_cast<std::uint16_t>(record.word[2 * i] | record.word[2 * i + 1] << 8);
            if (unit == 0xFFFF) usable = false;
            if (unit == 0 && length == record.units) length = i;
            word[i] = unit;
        }
        if (!usable) continue;

        // A text ends at a zero byte; it is revealed in a copy, the file buffer stays as read.
        std::size_t m = 0;
        while (m < record.bytes && record.text[m] != 0) {
            text[m] = static_cast<char>(record.text[m]);
            ++m;
        }
        text[m] = 0;
        Scramble(text);
        App.WordList.Append(word, length, text, m);
    }
    return 1;
}
