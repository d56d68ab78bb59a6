#include "readings.h"

#include <algorithm>
#include <set>

#include "meaning.h"
#include "pinyin.h"
#include "text.h"

namespace {

constexpr std::size_t kMeaningLimit = 40;
// A reading with less of the character's use than this is a rarity a learner need not be asked.
constexpr double kReadingShare = 0.03;
// A reading known only from surnames and place names stays only as the character's main use.
constexpr double kProperShare = 0.5;
// A form referred to as "variant of X" is in use, and keeps its reading, unless it is almost never
// written (裏 in Taiwan text, where 裡 stands for it).
constexpr double kOtherFormInUse = 0.02;

// The character a "variant of X" sense names, or 0.
char32_t ReferencedCharacter(const std::string& sense) {
    for (char32_t c : DecodeUtf8(sense)) {
        if (IsBmpHan(c)) return c;
    }
    return 0;
}

// "used in 閩侯[Min3 hou4]": a sense that only points to a proper noun, a place or a name.
bool NamesOnlyAProperNoun(const std::string& sense, const WordIndex& words) {
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

}  // namespace

bool IsProperNoun(const CedictEntry& e) { return !e.pinyin.empty() && e.pinyin[0] >= 'A' && e.pinyin[0] <= 'Z'; }

// The meaning of the first word that a sense points to as "used in WORD[reading]".
std::string MeaningOfReferencedWord(const std::vector<std::string>& senses, const WordIndex& words,
                                    std::size_t maxLength, int depth) {
    if (depth == 0) return "";
    for (const std::string& sense : senses) {
        std::vector<char32_t> codes = DecodeUtf8(sense);
        auto open = std::find(codes.begin(), codes.end(), U'[');
        auto close = std::find(open, codes.end(), U']');
        if (open == codes.end() || close == codes.end()) continue;
        auto start = open;
        while (start != codes.begin() && (IsBmpHan(*(start - 1)) || *(start - 1) == U'|')) --start;
        std::u32string word(start, std::find(start, open, U'|'));
        if (word.empty()) continue;
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
        std::vector<std::string> senses;
        for (const std::string& sense : e->senses) {
            if (!IsVariantReference(sense)) {
                senses.push_back(sense);
                continue;
            }
            // "variant of 隻[zhi1]": the reading is the other character's while that one is written;
            // when it hardly is (裏, written 裡 in Taiwan), this form takes its meanings.
            char32_t other = ReferencedCharacter(sense);
            if (other == 0 || other == traditional || evidence.shareOf(other) >= kOtherFormInUse * ownShare) continue;
            auto theirs = words.find(std::u32string(1, other));
            if (theirs == words.end()) continue;
            for (const CedictEntry* t : theirs->second) {
                if (IsProperNoun(*t) || NormaliseCedictSyllable(Trim(t->pinyin)) != r) continue;
                for (const std::string& s : t->senses) {
                    if (!IsVariantReference(s)) senses.push_back(s);
                }
            }
        }
        if (senses.empty()) continue;
        auto it = readingFor(r);
        for (const std::string& sense : senses) {
            auto& target = IsProperNoun(*e) || NamesOnlyAProperNoun(sense, words) ? it->properSenses : it->senses;
            target.push_back(sense);
        }
    }
    // "also pr. [yao4]": a second reading of the same senses, which the counts may prefer.
    for (const CedictEntry* e : entries) {
        if (IsProperNoun(*e)) continue;
        for (const std::string& sense : e->senses) {
            if (!StartsWith(sense, "also pr. [") || sense.back() != ']') continue;
            std::string r = NormaliseCedictSyllable(sense.substr(10, sense.size() - 11));
            if (r.empty() || !IsSyllable(SyllableOf(r))) continue;
            bool known = std::any_of(readings.begin(), readings.end(), [&](const Reading& x) { return x.reading == r; });
            if (known) continue;
            auto alternative = readingFor(r);
            alternative->senses = e->senses;
            alternative->alternative = true;
        }
    }

    // Use in words, then the character alone, shared by Unihan's reading counts (the character's
    // own, else its simplified form's), or by the words when there are none.
    const std::vector<std::pair<std::string, long>>* pinlu = nullptr;
    for (char32_t c : {traditional, simplified}) {
        auto info = unihan.find(c);
        if (!pinlu && info != unihan.end() && !info->second.pinlu.empty()) pinlu = &info->second.pinlu;
    }
    double wordTotal = 0, pinluTotal = 0;
    std::map<std::string, double> pinluOf;
    for (Reading& r : readings) {
        auto w = evidence.inWords.find(r.reading);
        if (w != evidence.inWords.end()) r.share = w->second;
        wordTotal += r.share;
        if (pinlu) {
            for (const auto& [reading, count] : *pinlu) {
                if (reading == r.reading) pinluOf[r.reading] += static_cast<double>(count);
            }
        }
        pinluTotal += pinluOf[r.reading];
    }
    for (Reading& r : readings) {
        double part = pinluTotal > 0 ? pinluOf[r.reading] / pinluTotal
                      : wordTotal > 0 ? r.share / wordTotal
                                      : (r.order == 0 ? 1.0 : 0.0);
        r.share += evidence.alone * part;
    }
    double total = 0;
    for (const Reading& r : readings) total += r.share;

    std::vector<std::pair<Reading, std::string>> kept;
    for (const Reading& r : readings) {
        bool common = !r.senses.empty();
        double share = total > 0 ? r.share / total : (r.order == 0 ? 1.0 : 0.0);
        if (share < (common ? kReadingShare : kProperShare)) continue;
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
