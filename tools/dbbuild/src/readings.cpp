#include "readings.h"

#include <algorithm>
#include <functional>
#include <cctype>
#include <set>

#include "meaning.h"
#include "pinyin.h"
#include "text.h"
#include "words.h"

namespace {

constexpr std::size_t kMeaningLimit = 40;
// A reading with less of the character's use than this is a rarity a learner need not be asked,
constexpr double kReadingShare = 0.02;
// unless a word this frequent (about the 13000 most frequent words) reads the character so.
constexpr double kCommonWordShare = 5e-6;
// A reading known only from surnames and place names stays only as the character's main use.
constexpr double kProperShare = 0.5;

std::string Join(const std::vector<std::string>& syllables) {
    std::string joined;
    for (const std::string& s : syllables) joined += (joined.empty() ? "" : " ") + s;
    return joined;
}

// The character a "variant of X" sense names, or 0.
char32_t ReferencedCharacter(const std::string& sense) {
    for (char32_t c : DecodeUtf8(sense)) {
        if (IsBmpHan(c)) return c;
    }
    return 0;
}

// "see 血[xue4]": a sense that names the character itself alone, as another pronunciation.
bool NamesItself(const std::string& sense, char32_t character) {
    std::vector<char32_t> codes = DecodeUtf8(sense);
    auto first = std::find_if(codes.begin(), codes.end(), [](char32_t c) { return IsBmpHan(c); });
    return first != codes.end() && *first == character && (first + 1 == codes.end() || !IsBmpHan(*(first + 1)));
}

// "used in 閩侯[Min3 hou4]": a sense that only points to a proper noun, a place or a name.
bool NamesOnlyAProperNoun(const std::string& sense, const WordIndex& words) {
    for (const char* name : {"surname ", "used in place names", "place name", "used in names", "name of "}) {
        if (StartsWith(sense, name)) return true;
    }
    if (!StartsWith(sense, "used in ")) return false;
    std::vector<char32_t> codes = DecodeUtf8(sense.substr(8));
    std::u32string word;
    for (char32_t c : codes) {
        if (!IsBmpHan(c)) break;
        word += c;
    }
    auto entries = words.find(word);
    if (word.empty() || entries == words.end()) return false;
    return std::all_of(entries->second.begin(), entries->second.end(),
                       [](const CedictEntry* e) { return !e->pinyin.empty() && e->pinyin[0] >= 'A' && e->pinyin[0] <= 'Z'; });
}

// "same as 吧", "(final particle, same as 吧)": the sense is another character's.
bool SameAsAnother(const std::string& sense) {
    std::size_t at = sense.find("same as ");
    if (at == std::string::npos) return false;
    std::vector<char32_t> rest = DecodeUtf8(sense.substr(at + 8));
    return !rest.empty() && IsBmpHan(rest.front());
}

}  // namespace

namespace {

// One line of a hand-written table: the characters, the syllables and the text after them.
struct WrittenLine {
    std::u32string characters;
    std::vector<std::string> syllables;
    std::string text;
};

// Reads "characters<TAB>syllables<TAB>text" lines, # for comments, and hands each to take. False,
// naming the line and saying what it should be, for a line of other columns, syllables that are
// not all syllables, a text that is empty, not plain ASCII or over maxText bytes, or one take refuses.
bool ReadWrittenTable(const std::string& table, std::size_t maxText, const std::string& what,
                      const std::function<bool(const WrittenLine&)>& take, std::string& error) {
    int number = 0;
    for (const std::string& line : Split(table, '\n')) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cols = Split(line, '\t');
        WrittenLine w;
        if (cols.size() == 3) {
            std::vector<char32_t> c = DecodeUtf8(cols[0]);
            w = WrittenLine{std::u32string(c.begin(), c.end()), Split(cols[1], ' '), cols[2]};
        }
        bool pinyin = std::all_of(w.syllables.begin(), w.syllables.end(), [](const std::string& r) { return IsSyllable(SyllableOf(r)); });
        bool ascii = std::all_of(w.text.begin(), w.text.end(), [](char x) { return x >= 32 && x < 127; });
        if (cols.size() != 3 || !pinyin || !ascii || w.text.empty() || w.text.size() > maxText || !take(w)) {
            error = "line " + std::to_string(number) + " is not " + what;
            return false;
        }
    }
    return true;
}

}  // namespace

bool ParseWrittenMeanings(const std::string& text, WrittenMeanings& meanings, std::string& error) {
    return ReadWrittenTable(
        text, 60, "a character or word, its reading and a meaning of at most 40 (a word's 60) ASCII characters",
        [&](const WrittenLine& w) {
            std::size_t n = w.characters.size();
            if (n == 0 || n > 4 || w.syllables.size() != n || (n == 1 && w.text.size() > kMeaningLimit)) return false;
            meanings[{w.characters, Join(w.syllables)}] = w.text;
            return true;
        },
        error);
}

bool ParseWrittenReadings(const std::string& text, WrittenReadings& readings, std::string& error) {
    return ReadWrittenTable(
        text, kMeaningLimit, "a character, a reading and a meaning (or -) of at most 40 ASCII characters, nor a fourth reading",
        [&](const WrittenLine& w) {
            if (w.characters.size() != 1 || w.syllables.size() != 1 || readings[w.characters[0]].size() == 3) return false;
            readings[w.characters[0]].emplace_back(w.syllables[0], w.text);
            return true;
        },
        error);
}

bool ParseEverydayWords(const std::string& text, std::map<std::u32string, EverydayWord>& words, std::string& error) {
    return ReadWrittenTable(
        text, 60, "a word of 2 to 4 characters, its reading and a translation or -",
        [&](const WrittenLine& w) {
            std::size_t n = w.characters.size();
            if (n < 2 || n > 4 || w.syllables.size() != n) return false;
            words[w.characters] = EverydayWord{Join(w.syllables), w.text == "-" ? "" : w.text};
            return true;
        },
        error);
}

bool IsProperNoun(const CedictEntry& e) { return !e.pinyin.empty() && e.pinyin[0] >= 'A' && e.pinyin[0] <= 'Z'; }

// The meaning of the first word that a sense points to as "used in WORD[reading]".
std::string MeaningOfReferencedWord(const std::vector<std::string>& senses, const WordIndex& words,
                                    std::size_t maxLength, int depth) {
    if (depth == 0) return "";
    for (const std::string& sense : senses) {
        std::vector<char32_t> codes = DecodeUtf8(sense);
        for (auto open = std::find(codes.begin(), codes.end(), U'['); open != codes.end();
             open = std::find(open + 1, codes.end(), U'[')) {
            auto close = std::find(open, codes.end(), U']');
            if (close == codes.end()) break;
            auto start = open;
            while (start != codes.begin() && (IsBmpHan(*(start - 1)) || *(start - 1) == U'|')) --start;
            std::u32string word(start, std::find(start, open, U'|'));
            // A reference to the character itself ("same meaning as 答[da2]") explains nothing.
            if (word.size() < 2) continue;
            std::string pinyin = EncodeUtf8(std::u32string(open + 1, close));
            auto entries = words.find(word);
            if (entries == words.end()) continue;
            // The entry of the same reading, case included (lao3 ban3 "boss", not Lao3 ban3 the brand),
            // before one that differs only in case.
            for (bool keepCase : {true, false}) {
                std::string reading = NormaliseCedictReading(pinyin, keepCase);
                for (const CedictEntry* e : entries->second) {
                    if (NormaliseCedictReading(e->pinyin, keepCase) != reading) continue;
                    std::string meaning = ComposeMeaning(e->senses, maxLength);
                    // A word that is itself a variant points once more.
                    if (meaning.empty()) meaning = MeaningOfReferencedWord(e->senses, words, maxLength, depth - 1);
                    if (!meaning.empty()) return meaning;
                }
            }
        }
    }
    return "";
}

std::vector<std::string> MakeReadings(char32_t traditional, char32_t simplified,
                                      const std::vector<const CedictEntry*>& entries, const ReadingEvidence& evidence,
                                      const Unihan& unihan, const WordIndex& words) {
    struct Reading {
        std::string reading;
        std::vector<std::string> senses;
        std::vector<std::string> properSenses;
        int order = 0;
        double share = 0;
        bool alternative = false;  // "also pr.": never before the reading the dictionary heads with
    };
    std::vector<Reading> readings;
    auto readingFor = [&](const std::string& r) {
        auto it = std::find_if(readings.begin(), readings.end(), [&](const Reading& x) { return x.reading == r; });
        if (it != readings.end()) return it;
        readings.push_back(Reading{r, {}, {}, static_cast<int>(readings.size()), 0, false});
        return readings.end() - 1;
    };
    double ownShare = evidence.shareOf(traditional);
    for (const CedictEntry* e : entries) {
        std::string r = NormaliseCedictSyllable(Trim(e->pinyin));
        if (r.empty() || r == "r" || !IsSyllable(SyllableOf(r))) continue;
        // "to appear; also written 現[xian4]": the reading is the more common form's.
        bool othersReading = std::any_of(e->senses.begin(), e->senses.end(), [&](const std::string& sense) {
            char32_t other = ReferencedCharacter(sense);
            return StartsWith(sense, "also written ") && other != 0 && other != traditional &&
                   evidence.shareOf(other) >= ownShare;
        });
        if (othersReading) continue;
        std::vector<std::string> senses;
        for (const std::string& sense : e->senses) {
            // "see 血[xue4]": another pronunciation of the same character, taken from the
            // pronunciation note below.
            if ((StartsWith(sense, "see ") || IsVariantReference(sense)) && NamesItself(sense, traditional)) continue;
            if (!IsVariantReference(sense)) {
                senses.push_back(sense);
                continue;
            }
            // "variant of 隻[zhi1]" where this character is the other's simplified form: the reading
            // is the other character's. A variant in writing only (佔 of 占, 裡 of 裏) takes the other's
            // meanings for the reading.
            char32_t other = ReferencedCharacter(sense);
            auto theirs = words.find(std::u32string(1, other));
            if (other == 0 || other == traditional || theirs == words.end()) continue;
            bool simplifiesToThis = std::any_of(theirs->second.begin(), theirs->second.end(), [&](const CedictEntry* t) {
                return t->simplified == std::u32string(1, traditional);
            });
            if (simplifiesToThis) continue;
            // Whatever the sense adds after the reference ("variant of 念, to read aloud"); the
            // other character's own senses stay its own (佈 is not "cloth").
            std::size_t comma = sense.find("], ");
            if (comma != std::string::npos) senses.push_back(sense.substr(comma + 3));
        }
        // A line that joins this character with a simplified form that is a character of its own
        // (餘 and 余) carries that character's senses too ("I; me"): they are left to it, unless
        // nothing else is left.
        char32_t merged = e->simplified.size() == 1 ? e->simplified[0] : 0;
        auto own = merged && merged != traditional ? words.find(std::u32string(1, merged)) : words.end();
        if (own != words.end()) {
            std::vector<std::string> kept;
            for (const std::string& sense : senses) {
                bool theirs = std::any_of(own->second.begin(), own->second.end(), [&](const CedictEntry* t) {
                    return t->traditional == t->simplified &&
                           std::find(t->senses.begin(), t->senses.end(), sense) != t->senses.end();
                });
                if (!theirs) kept.push_back(sense);
            }
            if (!kept.empty()) senses = kept;
        }
        // "(final particle, same as 吧)": the reading of another character's word.
        senses.erase(std::remove_if(senses.begin(), senses.end(), [](const std::string& sense) { return SameAsAnother(sense); }),
                     senses.end());
        if (senses.empty()) continue;
        auto it = readingFor(r);
        for (const std::string& sense : senses) {
            // A capital marks a name; 佛 "Buddha; Buddhism" and 回 "Hui ethnic group" are names too,
            // but no surname or place: they count as the character's own senses.
            bool name = IsProperNoun(*e) || NamesOnlyAProperNoun(sense, words);
            auto& target = name ? it->properSenses : it->senses;
            target.push_back(sense);
        }
    }
    // "also pr. [shui2]", "colloquial pr. [xie3]": a second reading of the same senses.
    for (const CedictEntry* e : entries) {
        if (IsProperNoun(*e)) continue;
        for (const std::string& sense : e->senses) {
            std::size_t open = sense.find("pr. [");
            bool note = StartsWith(sense, "also pr. [") || StartsWith(sense, "colloquial pr. [");
            if (!note || sense.back() != ']') continue;
            std::string r = NormaliseCedictSyllable(sense.substr(open + 5, sense.size() - open - 6));
            if (r.empty() || !IsSyllable(SyllableOf(r))) continue;
            bool known = std::any_of(readings.begin(), readings.end(), [&](const Reading& x) { return x.reading == r; });
            if (known) continue;
            auto alternative = readingFor(r);
            alternative->senses = e->senses;
            alternative->alternative = true;
        }
    }

    // Use in words, then the character alone. Alone it has only the readings that stand free (not
    // 佛 fu2, "used in 仿佛"); they share it by Unihan's reading counts (the character's own, else
    // its simplified form's), or by the words when the counts know none of them. The counts, taken
    // from running text, also weigh half of each free reading's share: dictionary words over-represent
    // literary compounds (薄 bo2 in 薄弱 against bao2 in speech).
    const std::vector<std::pair<std::string, long>>* pinlu = nullptr;
    for (char32_t c : {traditional, simplified}) {
        auto info = unihan.find(c);
        if (!pinlu && info != unihan.end() && !info->second.pinlu.empty()) pinlu = &info->second.pinlu;
    }
    auto standsFree = [](const Reading& r) {
        return std::any_of(r.senses.begin(), r.senses.end(),
                           [](const std::string& s) {
                               return !StartsWith(s, "used in ") && !StartsWith(s, "see ") &&
                                      s.find("pr. [") == std::string::npos;
                           });
    };
    // A neutral tone inside a word (東西 dong1 xi5, 暖和 nuan3 huo5) is a weakened toned reading,
    // when the character has no neutral reading of its own: its count goes to the reading of the
    // same syllable that the words use most.
    std::map<std::string, double> inWords = evidence.inWords, topWord = evidence.topWord;
    for (const auto& [reading, share] : evidence.inWords) {
        if (!reading.empty() && std::isdigit(static_cast<unsigned char>(reading.back()))) continue;
        Reading* strongest = nullptr;
        double most = -1;
        bool own = false;
        for (Reading& r : readings) {
            own = own || r.reading == reading;
            auto w = evidence.inWords.find(r.reading);
            double count = w == evidence.inWords.end() ? 0 : w->second;
            if (SyllableOf(r.reading) == reading && count > most) {
                strongest = &r;
                most = count;
            }
        }
        if (own || !strongest) continue;
        inWords[strongest->reading] += share;
        auto top = evidence.topWord.find(reading);
        if (top != evidence.topWord.end())
            topWord[strongest->reading] = std::max(topWord[strongest->reading], top->second);
    }
    double freeWords = 0, freePinlu = 0;
    std::map<std::string, double> pinluOf;
    const Reading* firstFree = nullptr;
    for (Reading& r : readings) {
        auto w = inWords.find(r.reading);
        if (w != inWords.end()) r.share = w->second;
        if (pinlu) {
            for (const auto& [reading, count] : *pinlu) {
                if (reading == r.reading) pinluOf[r.reading] += static_cast<double>(count);
            }
        }
        if (!standsFree(r)) continue;
        if (!firstFree) firstFree = &r;
        freeWords += r.share;
        freePinlu += pinluOf[r.reading];
    }
    for (Reading& r : readings) {
        if (!standsFree(r)) continue;
        double part = freePinlu > 0 ? pinluOf[r.reading] / freePinlu
                      : freeWords > 0 ? r.share / freeWords
                                      : (&r == firstFree ? 1.0 : 0.0);
        r.share += evidence.alone * part;
    }
    double total = 0, freeTotal = 0;
    for (const Reading& r : readings) {
        total += r.share;
        if (standsFree(r)) freeTotal += r.share;
    }
    if (total > 0 && freePinlu > 0) {
        for (Reading& r : readings) {
            double counted = standsFree(r) ? pinluOf[r.reading] / freePinlu * freeTotal / total : r.share / total;
            r.share = 0.5 * r.share / total + 0.5 * counted;
        }
        total = 1;
    }

    std::vector<std::pair<Reading, std::string>> kept;
    for (const Reading& r : readings) {
        bool common = !r.senses.empty();
        double share = total > 0 ? r.share / total : (r.order == 0 ? 1.0 : 0.0);
        auto top = topWord.find(r.reading);
        bool inCommonWord = top != topWord.end() && top->second >= kCommonWordShare;
        // A reading bound to words (佛 fu2 in 仿佛) is only as common as its most common word.
        bool enough = standsFree(r) ? share >= kReadingShare || inCommonWord : inCommonWord;
        if (common ? !enough : share < kProperShare) continue;
        std::vector<std::string> senses = r.senses;
        senses.insert(senses.end(), r.properSenses.begin(), r.properSenses.end());
        std::string meaning = ComposeMeaning(senses, kMeaningLimit);
        if (meaning.empty()) meaning = MeaningOfReferencedWord(senses, words, kMeaningLimit);
        if (meaning.empty()) continue;
        kept.emplace_back(r, meaning);
    }
    // Without evidence for any: the dictionary's first common reading, else its first at all.
    for (bool proper : {false, true}) {
        if (!kept.empty()) break;
        for (const Reading& r : readings) {
            const std::vector<std::string>& senses = proper ? r.properSenses : r.senses;
            std::string meaning = ComposeMeaning(senses, kMeaningLimit);
            if (meaning.empty()) meaning = MeaningOfReferencedWord(senses, words, kMeaningLimit);
            if (meaning.empty()) continue;
            kept.emplace_back(r, meaning);
            break;
        }
    }
    std::stable_sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) {
        if (a.first.alternative != b.first.alternative) return b.first.alternative;
        if (a.first.share != b.first.share) return a.first.share > b.first.share;
        return a.first.order < b.first.order;
    });

    // Rows are told apart by their meanings: a reading whose meaning repeats a more common one's
    // could not be answered in the right row, so it is left out.
    std::vector<std::string> texts;
    std::set<std::string> meanings;
    for (const auto& [r, meaning] : kept) {
        if (texts.size() == 3) break;
        // A vulgar reading of an everyday character (鳥 diao3) is not taught beside its others.
        if (!texts.empty() && IsUnfitSense(meaning)) continue;
        if (meanings.insert(meaning).second) texts.push_back(r.reading + " " + meaning);
        // Another pronunciation of the same word (誰 shei2, shui2) keeps its row, told apart by a note.
        else if (r.alternative && meaning.size() + 19 <= kMeaningLimit)
            texts.push_back(r.reading + " " + meaning + " (another reading)");
    }
    if (!texts.empty()) return texts;

    // No usable dictionary entry: Unihan's readings with its definition.
    auto info = unihan.find(traditional);
    if (info == unihan.end()) return texts;
    std::string meaning = ComposeMeaning(Split(info->second.definition, ';'), kMeaningLimit);
    if (meaning.empty()) return texts;
    // One definition for all readings could not tell rows apart: the first reading alone.
    for (const std::string& r : info->second.mandarin) {
        if (!IsSyllable(SyllableOf(r))) continue;
        texts.push_back(r + " " + meaning);
        break;
    }
    return texts;
}
