#include "lint.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "pinyin.h"
#include "text.h"
#include "words.h"

namespace {

bool ReadBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

struct Reader {
    const std::vector<std::uint8_t>& bytes;
    std::size_t at = 0;
    bool ok = true;
    unsigned U8() {
        if (at + 1 > bytes.size()) {
            ok = false;
            return 0;
        }
        return bytes[at++];
    }
    unsigned U16() { return U8() | U8() << 8; }
    std::uint32_t U32() { return U16() | static_cast<std::uint32_t>(U16()) << 16; }
    std::string Text() {
        unsigned n = U8();
        if (at + n > bytes.size()) {
            ok = false;
            return "";
        }
        std::string text(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + n));
        at += n;
        ScrambleText(text);
        return text;
    }
};

std::string Utf8(const std::vector<std::uint16_t>& codes) {
    std::u32string s(codes.begin(), codes.end());
    return EncodeUtf8(s);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string ReadingOfWord(const std::string& text) {
    std::size_t close = text.find('>');
    return text.size() > 1 && text[0] == '<' && close != std::string::npos ? text.substr(1, close - 1) : "";
}

std::string Meaning(const std::string& readingText) {
    std::size_t space = readingText.find(' ');
    return space == std::string::npos ? "" : readingText.substr(space + 1);
}

// Left over when a cross-reference was taken out of a sense.
const char* const kRemnants[] = {"(tw)", "bound form", "variant of", "see also", "similar)",
                                 "old variant", "erhua", "cl:", "; ;", "()", "pr. ", " ;"};
const char* const kDanglingEnds[] = {" the", " a", " an", " used", " similar", "(", ",", ";", ":"};

bool Balanced(const std::string& text) {
    int depth = 0;
    for (char c : text) {
        if (c == '(') ++depth;
        if (c == ')' && --depth < 0) return false;
    }
    return depth == 0;
}

}  // namespace

bool DecodeDatabase(const std::string& folder, DatabaseContent& content, std::string& error) {
    std::vector<std::uint8_t> cifcon, cif, index, wtf;
    for (auto [name, bytes] : {std::pair{"cifcon", &cifcon}, {"cif", &cif}, {"index", &index}, {"wtf", &wtf}}) {
        if (!ReadBytes(folder + "/" + name, *bytes)) {
            error = "cannot read " + folder + "/" + name;
            return false;
        }
    }
    content = DatabaseContent{};
    Reader con{cifcon};
    unsigned records = con.U16();
    for (unsigned i = 0; i < records && con.ok; ++i) {
        CharInfo info;
        info.code = static_cast<std::uint16_t>(con.U16());
        Reader r{cif, con.U32()};
        info.weight = static_cast<std::int16_t>(r.U16());
        info.otherForm = static_cast<std::uint16_t>(r.U16());
        info.showBoth = static_cast<std::uint8_t>(r.U8());
        unsigned n = r.U8();
        for (unsigned k = 0; k < n && r.ok; ++k) info.readings.push_back(r.Text());
        if (!r.ok) {
            error = "cif record cut short";
            return false;
        }
        content.chars[info.code] = info;
    }
    Reader ix{index};
    unsigned count = ix.U16();
    for (unsigned i = 0; i < count && ix.ok; ++i) content.index.push_back(static_cast<std::uint16_t>(ix.U16()));
    Reader w{wtf};
    while (w.ok && w.at < wtf.size()) {
        WordEntry entry;
        unsigned n = w.U8();
        for (unsigned k = 0; k < n; ++k) entry.word.push_back(static_cast<std::uint16_t>(w.U16()));
        entry.text = w.Text();
        if (w.ok) content.words.push_back(entry);
    }
    if (!con.ok || !ix.ok || !w.ok) {
        error = "cifcon, index or wtf cut short";
        return false;
    }
    return true;
}

double IndexShare(const DatabaseContent& content) {
    double total = 0;
    for (std::uint16_t code : content.index) {
        auto info = content.chars.find(code);
        if (info != content.chars.end()) total += info->second.weight;
    }
    return total / 524288.0;  // weights are in units of 1/2^19
}

std::vector<const WordEntry*> ExamplesOf(const DatabaseContent& content, std::uint16_t code) {
    std::vector<const WordEntry*> examples;
    for (const WordEntry& w : content.words) {
        if (examples.size() == 8) break;
        if (std::find(w.word.begin(), w.word.end(), code) != w.word.end()) examples.push_back(&w);
    }
    return examples;
}

namespace {

// The glosses of a meaning, without their parentheses, lower case.
std::set<std::string> Glosses(const std::string& meaning) {
    std::set<std::string> glosses;
    for (const std::string& part : Split(meaning, ';')) {
        std::string gloss;
        int depth = 0;
        for (char c : part) {
            if (c == '(') ++depth;
            else if (c == ')' && depth > 0) --depth;
            else if (depth == 0) gloss += c;
        }
        gloss = Lower(Trim(gloss));
        if (!gloss.empty()) glosses.insert(gloss);
    }
    return glosses;
}

// A gloss that names a surname, a place, an abbreviation or another reading, not a sense.
bool NamesOnly(const std::string& gloss) {
    for (const char* start : {"surname", "place name", "used in place names", "name of", "abbr. for", "abbr. of",
                              "another reading", "short name for"}) {
        if (StartsWith(gloss, start)) return true;
    }
    return false;
}

}  // namespace

std::vector<LintRule> Lint(const DatabaseContent& content, const Unihan* unihan, const PhraseTable* taiwanPhrases) {
    LintRule notTraditional{"order.not-traditional", 0, {}}, simplifiedOnly{"order.simplified-only", 0, {}},
        weights{"order.weight-sum", 0, {}}, readingCount{"readings.count", 0, {}}, readingSyllable{"readings.syllable", 0, {}},
        properReading{"readings.name-only", 0, {}}, length{"meanings.length", 0, {}}, parens{"meanings.parentheses", 0, {}},
        remnant{"meanings.remnant", 0, {}}, slang{"meanings.slang", 0, {}}, coarse{"examples.coarse", 0, {}},
        duplicate{"examples.duplicate", 0, {}}, agree{"examples.reading", 0, {}}, missing{"examples.none-in-first-3000", 0, {}},
        proper{"examples.proper-noun-in-first-3000", 0, {}}, bands{"order.kfrequency-band", 0, {}},
        borrowed{"meanings.borrowed", 0, {}}, nameReading{"readings.names-only", 0, {}},
        cut{"examples.cut-or-fragment", 0, {}}, mainland{"examples.mainland-form", 0, {}};
    auto note = [](LintRule& rule, const std::string& what) {
        ++rule.count;
        if (rule.examples.size() < 6) rule.examples.push_back(what);
    };
    // Meanings and readings, for every record a learner may see.
    for (const auto& [code, info] : content.chars) {
        std::string c = EncodeUtf8(static_cast<char32_t>(code));
        if (info.readings.empty() || info.readings.size() > 3) note(readingCount, c);
        std::set<std::string> seen;
        for (std::size_t i = 0; i < info.readings.size(); ++i) {
            const std::string& text = info.readings[i];
            std::string reading = text.substr(0, text.find(' '));
            std::string meaning = Meaning(text);
            std::string lower = Lower(meaning);
            if (!IsSyllable(SyllableOf(reading)) || !seen.insert(reading).second) note(readingSyllable, c + " " + reading);
            if (meaning.empty() || meaning.size() > 40) note(length, c + " " + text);
            if (!Balanced(meaning)) note(parens, c + " " + text);
            bool left = std::any_of(std::begin(kRemnants), std::end(kRemnants),
                                    [&](const char* r) { return lower.find(r) != std::string::npos; }) ||
                        std::any_of(std::begin(kDanglingEnds), std::end(kDanglingEnds), [&](const std::string& e) {
                            std::string spaced = " " + lower;
                            return spaced.size() >= e.size() && spaced.compare(spaced.size() - e.size(), e.size(), e) == 0;
                        });
            if (left) note(remnant, c + " " + text);
            if (HasCoarseMark(meaning)) note(slang, c + " " + text);
            if (i > 0 && (StartsWith(lower, "surname") || StartsWith(lower, "place name") ||
                          StartsWith(lower, "used in place names") || StartsWith(lower, "name of")))
                note(properReading, c + " " + text);
            // A reading beside others whose every gloss names a place, a surname, an abbreviation
            // or another reading teaches no sense.
            std::set<std::string> glosses = Glosses(meaning);
            if (i > 0 && !glosses.empty() && std::all_of(glosses.begin(), glosses.end(), NamesOnly))
                note(nameReading, c + " " + text);
        }
        // A sense of the character's other form where that form is a character of its own (余 of
        // 餘 "I; me", 布 of 佈 "cloth"): a gloss both give.
        auto other = info.otherForm ? content.chars.find(info.otherForm) : content.chars.end();
        if (other != content.chars.end() && other->second.otherForm == 0) {
            // The other character's main sense, the first gloss of each of its readings.
            std::set<std::string> theirs;
            for (const std::string& r : other->second.readings) {
                std::vector<std::string> parts = Split(Meaning(r), ';');
                std::set<std::string> g = parts.empty() ? std::set<std::string>{} : Glosses(parts.front());
                theirs.insert(g.begin(), g.end());
            }
            for (const std::string& r : info.readings) {
                for (const std::string& g : Glosses(Meaning(r))) {
                    if (theirs.count(g)) {
                        note(borrowed, c + " " + g + " (" + EncodeUtf8(static_cast<char32_t>(info.otherForm)) + ")");
                        break;
                    }
                }
            }
        }
    }
    // Order and weights.
    for (std::size_t rank = 0; rank < content.index.size(); ++rank) {
        std::uint16_t code = content.index[rank];
        if (!unihan) continue;
        std::string shown = std::to_string(rank + 1) + " " + EncodeUtf8(static_cast<char32_t>(code));
        auto info = unihan->find(code);
        if (info == unihan->end() || info->second.big5Level == 0) note(notTraditional, shown);
        // 锺 names 鍾 as its traditional form and not itself; 台 names itself among 臺 颱 檯.
        const std::vector<char32_t>* forms = info == unihan->end() ? nullptr : &info->second.traditional;
        if (forms && !forms->empty() && std::find(forms->begin(), forms->end(), code) == forms->end())
            note(simplifiedOnly, shown);
    }
    // Taiwan's informal writing (kFrequency): a character of its first two bands (about the 500
    // most frequent) beyond rank 2000, or one of its last band or none among the first 500.
    for (std::size_t rank = 0; unihan && rank < content.index.size(); ++rank) {
        auto info = unihan->find(content.index[rank]);
        int band = info == unihan->end() ? 0 : info->second.frequencyBand;
        std::string shown = std::to_string(rank + 1) + " " + EncodeUtf8(static_cast<char32_t>(content.index[rank]));
        if ((band == 1 || band == 2) && rank >= 2000) note(bands, shown + " band " + std::to_string(band));
        if ((band == 0 || band == 5) && rank < 500) note(bands, shown + " band " + std::to_string(band));
    }
    double share = IndexShare(content);
    if (share < 0.95 || share > 1.02) note(weights, std::to_string(100 * share) + "%");
    // Examples as the trainer shows them.
    for (std::size_t rank = 0; rank < content.index.size(); ++rank) {
        std::uint16_t code = content.index[rank];
        std::string c = EncodeUtf8(static_cast<char32_t>(code));
        auto info = content.chars.find(code);
        if (info == content.chars.end()) continue;
        std::vector<const WordEntry*> examples = ExamplesOf(content, code);
        if (rank < 3000 && examples.empty()) note(missing, std::to_string(rank + 1) + " " + c);
        bool ownCoarse = std::any_of(info->second.readings.begin(), info->second.readings.end(),
                                     [](const std::string& r) { return HasCoarseMark(r); });
        std::set<std::string> texts;
        for (const WordEntry* w : examples) {
            // Names keep their capitals in the reading ("<Tai2 wan1>").
            if (rank < 3000 && w->text.size() > 1 && std::isupper(static_cast<unsigned char>(w->text[1])))
                note(proper, c + ": " + Utf8(w->word));
            std::string shown = c + ": " + Utf8(w->word) + " " + w->text;
            if (!ownCoarse && HasCoarseMark(w->text)) note(coarse, shown);
            if (!texts.insert(w->text).second) note(duplicate, shown);
        }
    }
    // Translations cut mid-phrase or left with a fragment of a removed reference, and words that
    // Taiwan writes otherwise.
    for (const WordEntry& w : content.words) {
        std::string translation = w.text.substr(std::min(w.text.size(), w.text.find("> ") + 2));
        std::string lower = " " + Lower(translation);
        bool left = !Balanced(translation);
        for (const std::string e : {" the", " an", " used", "(", ",", ";"}) {
            left = left || (lower.size() >= e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0);
        }
        for (const char* fragment : {"variant of", "see also", "used in the name", "(often followed", "(usually followed",
                                     "(followed", " the;", "(tw)", "; ;", "()"}) {
            left = left || lower.find(fragment) != std::string::npos;
        }
        if (left) note(cut, Utf8(w.word) + " " + w.text);
        if (taiwanPhrases) {
            auto forms = taiwanPhrases->find(std::u32string(w.word.begin(), w.word.end()));
            if (forms != taiwanPhrases->end() &&
                std::find(forms->second.begin(), forms->second.end(), forms->first) == forms->second.end())
                note(mainland, Utf8(w.word) + " (" + EncodeUtf8(forms->second.front()) + ")");
        }
    }
    // Every word's reading against its characters' readings.
    for (const WordEntry& w : content.words) {
        std::vector<std::string> syllables = Split(Lower(ReadingOfWord(w.text)), ' ');
        if (syllables.size() != w.word.size()) {
            note(agree, Utf8(w.word) + " " + w.text);
            continue;
        }
        for (std::size_t i = 0; i < w.word.size(); ++i) {
            auto info = content.chars.find(w.word[i]);
            if (info == content.chars.end() || !ReadingAgrees(syllables[i], w.word[i], ReadingsOf(info->second.readings))) {
                note(agree, Utf8(w.word) + " " + w.text);
                break;
            }
        }
    }
    return {notTraditional, simplifiedOnly, weights, readingCount, readingSyllable, properReading, length, parens,
            remnant, slang, coarse, duplicate, agree, missing, proper, bands, borrowed, nameReading, cut, mainland};
}

bool CheckVocabulary(const DatabaseContent& content, const std::string& list, VocabularyResult& result, std::string& error) {
    std::map<std::u32string, std::string> texts;
    for (const WordEntry& w : content.words) texts[std::u32string(w.word.begin(), w.word.end())] = w.text;
    result = VocabularyResult{};
    int number = 0;
    for (const std::string& line : Split(list, '\n')) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cols = Split(line, '\t');
        if (cols.size() != 3 || (cols[1] != "tw" && cols[1] != "cn") || cols[0].empty()) {
            error = "line " + std::to_string(number) + " is not a word, tw or cn, and keywords or a counterpart";
            return false;
        }
        std::vector<char32_t> codes = DecodeUtf8(cols[0]);
        auto found = texts.find(std::u32string(codes.begin(), codes.end()));
        if (cols[1] == "cn") {
            ++result.mainland;
            if (found == texts.end()) continue;
            ++result.mainlandFound;
            result.present.push_back(cols[0] + " " + found->second);
            continue;
        }
        ++result.taiwan;
        std::string text = found == texts.end() ? "" : Lower(found->second);
        std::vector<std::string> keywords = Split(cols[2], '/');
        bool meant = !text.empty() && std::any_of(keywords.begin(), keywords.end(), [&](const std::string& k) {
            return text.find(Lower(k)) != std::string::npos;
        });
        if (meant) ++result.taiwanFound;
        else result.missing.push_back(cols[0] + (found == texts.end() ? " (absent)" : " " + found->second));
    }
    return true;
}

std::string ReviewTable(const DatabaseContent& content) {
    std::ostringstream out;
    out << "rank\tcharacter\treadings\texamples\n";
    for (std::size_t rank = 0; rank < content.index.size(); ++rank) {
        std::uint16_t code = content.index[rank];
        out << rank + 1 << '\t' << EncodeUtf8(static_cast<char32_t>(code)) << '\t';
        auto info = content.chars.find(code);
        if (info != content.chars.end()) {
            for (std::size_t i = 0; i < info->second.readings.size(); ++i) out << (i ? " | " : "") << info->second.readings[i];
        }
        out << '\t';
        std::vector<const WordEntry*> examples = ExamplesOf(content, code);
        for (std::size_t i = 0; i < examples.size() && i < 3; ++i)
            out << (i ? " | " : "") << Utf8(examples[i]->word) << ' ' << examples[i]->text;
        out << '\n';
    }
    return out.str();
}
