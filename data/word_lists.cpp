// The pinyin syllable list and the example-word list. Each file is read whole and parsed from
// memory.
#include "data/word_lists.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "data/file_faults.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/whole_file.h"

namespace {

// What the read buffers of the file formats hold; longer data is out of range and is dropped whole.
constexpr std::size_t MaxSyllableLine = 251;
constexpr std::size_t MaxWordUnits = 249;
constexpr std::size_t MaxTextBytes = 251;
// The nodes of a word list may always take this much, however short its file's records.
constexpr std::size_t MinNodeBudget = 1024 * 1024;

// One wtf record as it lies in the file.
struct WordRecord {
    std::uint8_t* start;
    const std::uint8_t* word;  // 'units' little-endian code units
    std::size_t units;
    const std::uint8_t* text;  // 'bytes' hidden bytes
    std::size_t bytes;
};

// Reads the record at 'at' and moves 'at' past it. Returns 0 when the file ends inside the record.
int NextRecord(FileBytes& file, std::size_t& at, WordRecord& record) {
    const std::size_t size = file.size();
    record.start = &file[at];
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
    FileBytes file;
    FileFault fault;
    if (!ReadWholeFile(App.Files.Pinyin.c_str(), file, PinyinLimit, &fault))
        return FailOnFile(fault.kind == FaultKind::TooLarge ? StepPinyinTooLarge : 498, fault);
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
    // With no syllable every typed one would be refused and no character could ever be answered:
    // the list is unusable, not merely empty.
    if (App.SyllableList.count == 0)
        return FailOnFile(StepNoSyllables,
                          ContentFault(FaultKind::WrongFormat, App.Files.Pinyin.c_str(), FaultDetail::NoSyllables));
    return 1;
}

WordFileReader ReadWords = ReadWordFile;

int LoadWdsList() {
    LogTrace("LoadWdsList");
    FileFault fault;
    if (!ReadWords(App.Files.Words.c_str(), App.WordList, &fault)) {
        const int step = fault.kind == FaultKind::TooLarge ? StepWordsTooLarge
                         : fault.kind == FaultKind::WrongFormat ? StepNotWords
                                                                 : 738;
        return FailOnFile(step, fault);
    }
    return 1;
}

int ReadWordFile(const char* name, WordPairList& list, FileFault* fault) {
    FileBytes bytes;
    if (!ReadWholeFile(name, bytes, WordsLimit, fault)) return 0;

    // A first pass counts the records, so that the list takes one block for all their nodes. Each
    // word takes a node of 16 bytes beside the file; a file whose records average fewer bytes than
    // that (a file of zeros is a million empty records a megabyte) holds no words, and reading it
    // on would take many times its size.
    std::size_t words = 0;
    WordRecord record;
    for (std::size_t at = 0; at < bytes.size() && NextRecord(bytes, at, record);) ++words;
    if (words * sizeof(WordNode) > std::max<std::size_t>(bytes.size(), MinNodeBudget)) {
        if (fault != nullptr) *fault = ContentFault(FaultKind::WrongFormat, name, FaultDetail::NotWords);
        return 0;
    }
    // The list keeps the file as read: its words and hidden texts are not copied.
    FileBytes& file = list.Keep(std::move(bytes));
    list.Reserve(words);

    for (std::size_t at = 0; at < file.size() && NextRecord(file, at, record);) {
        // Over-long records are dropped whole; the next record is still found by their lengths.
        if (record.units > MaxWordUnits || record.bytes > MaxTextBytes) continue;
        // A word ends at its first zero unit; a unit of 0xFFFF (what a read at the end of a file
        // yields) names no character, and a word holding one is dropped.
        std::size_t length = record.units;
        bool usable = true;
        for (std::size_t i = 0; i < record.units; ++i) {
            const unsigned unit = record.word[2 * i] | record.word[2 * i + 1] << 8;
            if (unit == 0xFFFF) usable = false;
            if (unit == 0 && length == record.units) length = i;
        }
        if (!usable) continue;
        // A text ends at its first zero byte.
        const void* zero = std::memchr(record.text, 0, record.bytes);
        const std::size_t m = zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - record.text)
                                   : record.bytes;
        list.AppendKept(record.start, length, m);
    }
    return 1;
}
