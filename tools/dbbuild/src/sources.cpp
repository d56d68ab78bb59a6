#include "sources.h"

#include <bzlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "pinyin.h"
#include "text.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::u32string ToU32(std::string_view utf8) {
    std::vector<char32_t> codes = DecodeUtf8(utf8);
    return std::u32string(codes.begin(), codes.end());
}

std::vector<char32_t> CodeList(std::string_view value) {
    std::vector<char32_t> codes;
    for (const std::string& part : Split(value, ' ')) {
        // Values may carry a source tag after '<', as in "U+4E7E<kLau".
        std::string code = part.substr(0, part.find('<'));
        char32_t c = ParseCodePoint(code);
        if (c != 0) codes.push_back(c);
    }
    return codes;
}

}  // namespace

bool ReadPlainFile(const std::string& path, std::string& text, std::string& error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "cannot open source " + path;
        return false;
    }
    text.clear();
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, n);
    if (std::ferror(file.get())) {
        error = "cannot read source " + path;
        return false;
    }
    return true;
}

bool ReadBz2File(const std::string& path, std::string& text, std::string& error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "cannot open source " + path;
        return false;
    }
    int status = BZ_OK;
    BZFILE* bz = BZ2_bzReadOpen(&status, file.get(), 0, 0, nullptr, 0);
    if (status != BZ_OK) {
        BZ2_bzReadClose(&status, bz);
        error = "cannot decompress source " + path;
        return false;
    }
    text.clear();
    char buffer[65536];
    while (status == BZ_OK) {
        int n = BZ2_bzRead(&status, bz, buffer, sizeof buffer);
        if (status == BZ_OK || status == BZ_STREAM_END) text.append(buffer, static_cast<std::size_t>(n));
    }
    bool ok = status == BZ_STREAM_END;
    int closeStatus;
    BZ2_bzReadClose(&closeStatus, bz);
    if (!ok) {
        error = "damaged bzip2 source " + path;
        return false;
    }
    return true;
}

bool ReadJsTemplateFile(const std::string& path, std::string& text, std::string& error) {
    std::string raw;
    if (!ReadPlainFile(path, raw, error)) return false;
    std::size_t open = raw.find('`');
    std::size_t close = raw.rfind('`');
    if (raw.compare(0, 14, "module.exports") != 0 || open == std::string::npos || close <= open) {
        error = "source " + path + " is not a module.exports template string";
        return false;
    }
    text = raw.substr(open + 1, close - open - 1);
    // Template-string escapes; these sources use none today, but a backslash must not survive as data.
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    text.swap(out);
    return true;
}

void ParseUnihan(std::string_view text, Unihan& unihan) {
    for (std::string_view line : Lines(text)) {
        if (line.empty() || line[0] == '#') continue;
        std::size_t t1 = line.find('\t');
        std::size_t t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
        if (t2 == std::string_view::npos) continue;
        char32_t code = ParseCodePoint(line.substr(0, t1));
        if (code == 0) continue;
        std::string_view field = line.substr(t1 + 1, t2 - t1 - 1);
        std::string_view value = line.substr(t2 + 1);
        if (field == "kSimplifiedVariant") {
            unihan[code].simplified = CodeList(value);
        } else if (field == "kTraditionalVariant") {
            unihan[code].traditional = CodeList(value);
        } else if (field == "kMandarin") {
            UnihanChar& c = unihan[code];
            for (const std::string& r : Split(value, ' ')) {
                std::string n = NumberedFromAccented(r);
                if (!n.empty()) c.mandarin.push_back(n);
            }
        } else if (field == "kHanyuPinlu") {
            UnihanChar& c = unihan[code];
            for (const std::string& item : Split(value, ' ')) {
                std::size_t open = item.find('(');
                if (open == std::string::npos) continue;
                std::string n = NumberedFromAccented(item.substr(0, open));
                long count = std::strtol(item.c_str() + open + 1, nullptr, 10);
                if (!n.empty()) c.pinlu.emplace_back(n, count);
            }
        } else if (field == "kBigFive") {
            unsigned long big5 = std::strtoul(std::string(value).c_str(), nullptr, 16);
            unihan[code].big5Level = big5 >= 0xA440 && big5 <= 0xC67E ? 1 : 2;
        } else if (field == "kFrequency") {
            unihan[code].frequencyBand = static_cast<int>(std::strtol(std::string(value).c_str(), nullptr, 10));
        } else if (field == "kDefinition") {
            unihan[code].definition = std::string(value);
        }
    }
}

std::string UnihanVersion(std::string_view text) {
    std::size_t pos = text.find("# Unicode version: ");
    if (pos == std::string_view::npos) return "unknown";
    std::size_t end = text.find('\n', pos);
    return Trim(text.substr(pos + 19, end - pos - 19));
}

std::vector<CedictEntry> ParseCedict(std::string_view text) {
    std::vector<CedictEntry> entries;
    for (std::string_view line : Lines(text)) {
        if (line.empty() || line[0] == '#') continue;
        std::size_t s1 = line.find(' ');
        std::size_t s2 = s1 == std::string_view::npos ? s1 : line.find(' ', s1 + 1);
        std::size_t open = line.find('[');
        std::size_t close = line.find(']');
        std::size_t slash = line.find('/');
        if (s2 == std::string_view::npos || open == std::string_view::npos || close == std::string_view::npos ||
            slash == std::string_view::npos || !(s2 < open && open < close && close < slash))
            continue;
        CedictEntry e;
        e.traditional = ToU32(line.substr(0, s1));
        e.simplified = ToU32(line.substr(s1 + 1, s2 - s1 - 1));
        e.pinyin = std::string(line.substr(open + 1, close - open - 1));
        std::string_view defs = line.substr(slash + 1);
        while (!defs.empty() && defs.back() == '/') defs.remove_suffix(1);
        for (const std::string& sense : Split(defs, '/')) {
            if (!sense.empty()) e.senses.push_back(sense);
        }
        if (e.traditional.size() != e.simplified.size() || e.senses.empty()) continue;
        entries.push_back(std::move(e));
    }
    return entries;
}

std::string CedictDate(std::string_view text) {
    std::size_t pos = text.find("#! date=");
    if (pos == std::string_view::npos) return "unknown";
    std::size_t end = text.find('\n', pos);
    return Trim(text.substr(pos + 8, end - pos - 8));
}

std::map<std::u32string, long long> ParseWordCounts(std::string_view text) {
    std::map<std::u32string, long long> counts;
    for (std::string_view line : Lines(text)) {
        std::size_t comma = line.rfind('\t');
        if (comma == std::string_view::npos || comma == 0) continue;
        std::string number(line.substr(comma + 1));
        char* end = nullptr;
        long long count = std::strtoll(number.c_str(), &end, 10);
        if (end == number.c_str() || count <= 0) continue;
        counts[ToU32(line.substr(0, comma))] += count;
    }
    return counts;
}

std::map<std::u32string, long long> ParseChewing(std::string_view tree, std::string_view dictionary) {
    std::map<std::u32string, long long> phrases;
    auto number = [&](std::size_t at) {
        return static_cast<std::size_t>(static_cast<unsigned char>(tree[at])) |
               static_cast<std::size_t>(static_cast<unsigned char>(tree[at + 1])) << 8 |
               static_cast<std::size_t>(static_cast<unsigned char>(tree[at + 2])) << 16;
    };
    // Node 0 is the root, whose phone field holds no phone.
    for (std::size_t node = 8; node + 8 <= tree.size(); node += 8) {
        if (tree[node] != 0 || tree[node + 1] != 0) continue;
        std::size_t at = number(node + 2);
        std::size_t end = dictionary.find('\0', at);
        if (at >= dictionary.size() || end == std::string_view::npos) continue;
        phrases[ToU32(dictionary.substr(at, end - at))] += static_cast<long long>(number(node + 5));
    }
    return phrases;
}

std::map<std::u32string, std::vector<std::u32string>> ParsePhraseTable(std::string_view text) {
    std::map<std::u32string, std::vector<std::u32string>> table;
    for (std::string_view line : Lines(text)) {
        std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0) continue;
        std::vector<std::u32string>& forms = table[ToU32(line.substr(0, tab))];
        for (const std::string& form : Split(line.substr(tab + 1), ' ')) {
            if (!form.empty()) forms.push_back(ToU32(form));
        }
    }
    return table;
}

bool LoadSources(const SourcePaths& paths, Sources& sources, std::string& error) {
    std::string text;
    for (const char* name : {"Unihan_Variants.txt.bz2", "Unihan_Readings.txt.bz2", "Unihan_OtherMappings.txt.bz2",
                             "Unihan_DictionaryLikeData.txt.bz2"}) {
        if (!ReadBz2File(paths.unicodeDir + "/" + name, text, error)) return false;
        ParseUnihan(text, sources.unihan);
        sources.unihanVersion = UnihanVersion(text);
    }
    if (!ReadJsTemplateFile(paths.cedictFile, text, error)) return false;
    sources.cedict = ParseCedict(text);
    sources.cedictDate = CedictDate(text);
    if (sources.cedict.empty()) {
        error = "source " + paths.cedictFile + " holds no dictionary entry";
        return false;
    }
    if (!ReadPlainFile(paths.essayFile, text, error)) return false;
    sources.essay = ParseWordCounts(text);
    if (sources.essay.size() < 100000) {
        error = "source " + paths.essayFile + " holds too few word counts";
        return false;
    }
    std::string dictionary;
    if (!ReadPlainFile(paths.chewingDir + "/index_tree.dat", text, error) ||
        !ReadPlainFile(paths.chewingDir + "/dictionary.dat", dictionary, error))
        return false;
    sources.chewing = ParseChewing(text, dictionary);
    if (!paths.taiwanPhrasesFile.empty()) {
        if (!ReadPlainFile(paths.taiwanPhrasesFile, text, error)) return false;
        sources.taiwanPhrases = ParsePhraseTable(text);
    }
    if (sources.chewing.size() < 10000) {
        error = "source " + paths.chewingDir + "/index_tree.dat holds too few phrases";
        return false;
    }
    return true;
}
