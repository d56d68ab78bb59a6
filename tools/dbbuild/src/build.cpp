#include "build.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>

#include "database_files.h"
#include "examples.h"
#include "frequency.h"
#include "glyphs.h"
#include "lint.h"
#include "meaning.h"
#include "pinyin.h"
#include "text.h"
#include "words.h"

namespace {

constexpr double kWeightScale = 524288.0;  // 2^19: the most frequent character stays below 32767
// libchewing's Taiwan phrase counts beside Rime's counts converted from mainland text, for the
// evidence of readings and forms. Chewing counts no single characters, so it gets the smaller part.
constexpr double kChewingWeight = 0.15;
// The order: of the words of two or more characters, Taiwan's phrases count most; single
// characters only Rime counts. Taiwan's informal writing (kFrequency's bands) weighs beside that,
// more for pronouns, particles and interjections, whose use the written counts miss.
constexpr double kChewingOrderWeight = 0.6;
constexpr double kBandWeight = 0.35;
constexpr double kSpeechBandWeight = 0.6;
constexpr int kEverydayBand = 4;
// A character that Taiwan's phrases use less than this part of what the converted counts give it.
constexpr double kTaiwanHardlyUses = 0.01;
// A proper noun stands among the examples only when Taiwan's phrases hold it this often (about
// the two thousand most frequent phrases).
constexpr double kCommonProperShare = 2e-4;
constexpr double kTaiwanWordFactor = 5.0;
// Names of places, people and institutions make poorer examples than common words.
constexpr double kProperWordFactor = 0.2;
constexpr double kSpecialistFactor = 0.3;
constexpr double kEverydayFactor = 20.0;
// About the share of the twenty thousand most frequent words of running text.
constexpr double kUnheldWordShare = 1e-5;
constexpr double kRarerReadingsFactor = 0.05;
constexpr std::size_t kExamples = 8;

struct WordCandidate {
    std::u32string word;
    std::u32string simplified;
    std::string reading;  // trainer form, lower case
    std::string text;
    double frequency = 0;
    double running = 0;       // share of running text (in OpenCC's Taiwan forms) of this spelling
    double preference = 0;    // Taiwan's phrase share against running text
    std::u32string standard;  // the spelling that the dictionary's variants name
};

// Whether Taiwan writes a word as the dictionary's variant spelling rather than its standard one:
// OpenCC's Taiwan conversion writes it (家伙 becomes 傢伙 in running text), or Taiwan's phrases
// prefer it five times as much (計畫 to 計劃, 身分 to 身份; not 蕃茄 to 番茄).
bool TaiwanWritesVariant(const WordCandidate& variant, const WordCandidate& standard) {
    if ((variant.running > 0) != (standard.running > 0)) return variant.running > 0;
    return variant.preference >= 5 * standard.preference;
}

bool WordBefore(const WordCandidate& a, const WordCandidate& b) {
    if (a.frequency != b.frequency) return a.frequency > b.frequency;
    if (a.word.size() != b.word.size()) return a.word.size() < b.word.size();
    return a.word < b.word;
}

}  // namespace

std::size_t TranslationLimit(std::size_t characters) {
    if (characters <= 2) return 60;
    if (characters == 3) return 50;
    return 40;
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

    // Meanings written where the dictionary's first senses are not the everyday ones.
    WrittenMeanings written;
    if (!options.meaningsFile.empty()) {
        std::string text;
        if (!ReadPlainFile(options.meaningsFile, text, error)) {
            std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
            return 2;
        }
        if (!ParseWrittenMeanings(text, written, error)) {
            std::fprintf(stderr, "dbbuild: %s: %s\n", options.meaningsFile.c_str(), error.c_str());
            return 2;
        }
    }
    // Bands of pronouns, particles and interjections in speech, written for this database.
    std::map<char32_t, int> speechBands;
    if (!options.speechFile.empty()) {
        std::string text;
        if (!ReadPlainFile(options.speechFile, text, error) || !ParseSpeechBands(text, speechBands, error)) {
            std::fprintf(stderr, "dbbuild: %s: %s\n", options.speechFile.c_str(), error.c_str());
            return 2;
        }
    }
    WrittenReadings writtenReadings;
    if (!options.readingsFile.empty()) {
        std::string text;
        if (!ReadPlainFile(options.readingsFile, text, error) || !ParseWrittenReadings(text, writtenReadings, error)) {
            std::fprintf(stderr, "dbbuild: %s: %s\n", options.readingsFile.c_str(), error.c_str());
            return 2;
        }
    }
    std::map<std::u32string, EverydayWord> everyday;
    if (!options.everydayFile.empty()) {
        std::string text;
        if (!ReadPlainFile(options.everydayFile, text, error) || !ParseEverydayWords(text, everyday, error)) {
            std::fprintf(stderr, "dbbuild: %s: %s\n", options.everydayFile.c_str(), error.c_str());
            return 2;
        }
    }
    WordShares wordShares = BlendWordShares(sources.essay, sources.chewing, kChewingWeight);
    std::map<char32_t, double> shares = CharacterShares(wordShares);
    FormEvidence evidence = CollectEvidence(sources.cedict, wordShares);
    auto shareOf = [&](char32_t c) {
        auto it = shares.find(c);
        return it == shares.end() ? 0.0 : it->second;
    };
    auto big5Level = [&](char32_t c) {
        auto it = sources.unihan.find(c);
        return it == sources.unihan.end() ? 0 : it->second.big5Level;
    };

    std::map<char32_t, std::vector<const CedictEntry*>> singles;
    WordIndex wordIndex;
    for (const CedictEntry& e : sources.cedict) {
        if (e.traditional.size() == 1) singles[e.traditional[0]].push_back(&e);
        wordIndex[e.traditional].push_back(&e);
    }
    // Common entries before proper nouns, each group in dictionary order.
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
    std::vector<std::string> unmetReadings;  // written as "-" where the builder finds no such reading
    auto readingsOf = [&](char32_t t) -> const std::vector<std::string>& {
        auto it = readingCache.find(t);
        if (it != readingCache.end()) return it->second;
        static const std::vector<const CedictEntry*> none;
        ReadingEvidence ev;
        auto inWords = evidence.readings.find(t);
        if (inWords != evidence.readings.end()) ev.inWords = inWords->second;
        auto topWord = evidence.topWord.find(t);
        if (topWord != evidence.topWord.end()) ev.topWord = topWord->second;
        auto alone = wordShares.find(std::u32string(1, t));
        if (alone != wordShares.end()) ev.alone = alone->second;
        ev.shareOf = shareOf;
        auto e = singles.find(t);
        std::vector<std::string> texts =
            MakeReadings(t, simplifiedOf(t), e == singles.end() ? none : e->second, ev, sources.unihan, wordIndex);
        for (std::string& text : texts) {
            auto w = written.find({std::u32string(1, t), text.substr(0, text.find(' '))});
            if (w != written.end()) text = w->first.second + " " + w->second;
        }
        // Readings written for the character are all its readings, in their order.
        auto hand = writtenReadings.find(t);
        if (hand != writtenReadings.end()) {
            std::vector<std::string> own;
            for (const auto& [reading, meaning] : hand->second) {
                auto found = std::find_if(texts.begin(), texts.end(), [&](const std::string& x) { return x.substr(0, x.find(' ')) == reading; });
                if (meaning != "-") own.push_back(reading + " " + meaning);
                else if (found != texts.end()) own.push_back(*found);
                else unmetReadings.push_back(EncodeUtf8(t) + " " + reading);
            }
            texts = own;
        }
        return readingCache[t] = texts;
    };

    // index: the characters of traditional use (Big5) that can be shown and read, most frequent
    // in Taiwan's text first. Rare mere variants (蕋 for 蕊) would teach one character twice: they
    // only fill places that the others leave open, keeping their rank.
    std::map<char32_t, double> running = RunningTextShares(sources.essay, sources.chewing, kChewingOrderWeight);
    std::map<char32_t, double> mainlandPhrases = RunningTextShares(sources.essay, {}, 0.0, LengthParts{0, 0.49, 0.10, 0.06});
    std::map<char32_t, double> taiwanPhrases = RunningTextShares({}, sources.chewing, 1.0, LengthParts{0, 0.49, 0.10, 0.06});
    std::vector<double> bandShares = BandShares(sources.unihan, RankShares(sources.unihan));
    auto valueOf = [](const std::map<char32_t, double>& m, char32_t c) {
        auto it = m.find(c);
        return it == m.end() ? 0.0 : it->second;
    };
    std::set<char32_t> everydayCharacters;
    for (const auto& [word, w] : everyday) everydayCharacters.insert(word.begin(), word.end());
    // Among the hundred most frequent characters of traditional text (kFrequency's first band), the
    // counts of a corpus of running text (Unihan's reading counts) weigh as much as the input
    // method's, which chat and typing shape (你 three times 他). Further down they would lower
    // Taiwan's own characters (灣, 裡), being counts of mainland text.
    std::map<char32_t, double> counted = CountedShares(sources.unihan);
    std::vector<std::pair<double, char32_t>> ranked;
    for (const auto& [c, share] : running) {
        if (!IsBmpHan(c) || big5Level(c) == 0) continue;
        const UnihanChar& u = sources.unihan.at(c);
        int band = u.frequencyBand;
        auto spoken = speechBands.find(c);
        if (spoken != speechBands.end() && (band == 0 || spoken->second < band)) band = spoken->second;
        // A character of Taiwan's everyday words (筷 of 筷子, 颱 of 颱風) is among Taiwan's first two
        // thousand, whatever the postings counted.
        if (everydayCharacters.count(c) && (band == 0 || band > kEverydayBand)) band = kEverydayBand;
        double bandShare = band >= 1 && band <= 5 ? bandShares[band] : bandShares[0];
        bool hardly = band == 0 && valueOf(taiwanPhrases, c) < kTaiwanHardlyUses * valueOf(mainlandPhrases, c);
        double weight = spoken != speechBands.end() ? kSpeechBandWeight : kBandWeight;
        double text = share;
        auto known = counted.find(c);
        // Pronouns and particles: the input method counts what people type to each other (你 three
        // times 他), not what they read; the counted corpus alone gives their share of running text.
        if (known != counted.end() && u.frequencyBand == 1)
            text = spoken != speechBands.end() ? known->second : std::sqrt(share * known->second);
        ranked.emplace_back(-OrderScore(text, bandShare, weight, hardly), c);
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<char32_t> usable;
    std::vector<char32_t> variants;
    for (const auto& [negScore, c] : ranked) {
        if (static_cast<int>(usable.size()) == options.indexSize) break;
        if (!renders(c) || readingsOf(c).empty()) continue;
        // Taiwan's frequently used set holds some variants as everyday forms (佔, 唸): they stay.
        // So do the forms Taiwan's informal writing uses (噁 of 噁心).
        bool taiwanForm = big5Level(c) == 1 || sources.unihan.at(c).frequencyBand > 0 || speechBands.count(c);
        if (evidence.variantOnly.count(c) && !taiwanForm) variants.push_back(c);
        else usable.push_back(c);
    }
    std::set<char32_t> inIndex(usable.begin(), usable.end());
    for (std::size_t i = 0; static_cast<int>(inIndex.size()) < options.indexSize && i < variants.size(); ++i)
        inIndex.insert(variants[i]);
    std::vector<char32_t> index;
    for (const auto& [negScore, c] : ranked) {
        if (inIndex.count(c)) index.push_back(c);
    }
    if (static_cast<int>(index.size()) < options.indexSize) {
        std::fprintf(stderr, "dbbuild: only %zu usable characters in the frequency list\n", index.size());
        return 2;
    }

    // Words: 2 to 4 characters, each a character the database can show, in their everyday sense as
    // Taiwan uses them; spellings of one word (什麼, 甚麼) count once, under the most frequent.
    // A word that Taiwan writes otherwise (軟件 for 軟體, as OpenCC's Taiwan phrases name them) is no
    // example, and its count goes to its Taiwan form; Taiwan's phrase counts correct Rime's running
    // text (ExampleFrequency), so that one Taiwan's phrases hardly hold (小區, 黨委) falls.
    WordShares taiwanWords = BlendWordShares({}, sources.chewing, 1.0), mainlandWords = BlendWordShares(sources.essay, {}, 0.0);
    auto shareIn = [](const WordShares& m, const std::u32string& w) {
        auto it = m.find(w);
        return it == m.end() ? 0.0 : it->second;
    };
    std::set<std::u32string> mainlandForms = MainlandForms(
        sources.taiwanPhrases, [&](const std::u32string& w) { return shareIn(taiwanWords, w); },
        [&](const std::u32string& w) { return shareIn(mainlandWords, w); });
    std::set<std::u32string> taiwanForms;
    WordShares runningShares = mainlandWords;
    for (const auto& [word, forms] : sources.taiwanPhrases) {
        taiwanForms.insert(forms.begin(), forms.end());
        if (mainlandForms.count(word) && !forms.empty()) runningShares[forms.front()] += shareIn(mainlandWords, word);
    }
    // Spellings of one word (計畫 and 計劃, 身分 and 身份: "variant of" the other, same reading) count
    // as one word, written as Taiwan prefers.
    std::map<std::u32string, std::u32string> standardOf;
    WordShares pooledRunning, pooledTaiwan;
    for (const auto& [word, entries] : wordIndex) {
        std::u32string standard = StandardSpelling(*ChooseEntry(entries), wordIndex);
        standardOf[word] = standard;
        pooledRunning[standard] += shareIn(runningShares, word);
        pooledTaiwan[standard] += shareIn(taiwanWords, word);
    }
    // Everyday words that the dictionary lacks (滷肉飯) stand on entries of their own.
    std::vector<CedictEntry> everydayEntries;
    for (const auto& [word, w] : everyday) {
        if (wordIndex.count(word) || w.translation.empty()) continue;
        everydayEntries.push_back(CedictEntry{word, word, w.reading, {w.translation}});
    }
    for (const CedictEntry& e : everydayEntries) {
        wordIndex[e.traditional].push_back(&e);
        standardOf[e.traditional] = e.traditional;
    }
    // A word whose first sense is that of a word Taiwan marks as its own or writes every day (導彈
    // "(guided) missile" beside 飛彈 "(Tw) missile", 西紅柿 beside 番茄 "tomato") is the mainland's
    // name for it, when Taiwan's phrases hold it less.
    std::map<std::string, double> taiwanGlosses;
    auto firstGloss = [](const CedictEntry& e) {
        std::string gloss = CleanSense(e.senses.front());
        for (std::size_t at; (at = gloss.find('(')) != std::string::npos;) {
            std::size_t close = gloss.find(')', at);
            gloss.erase(at, close == std::string::npos ? std::string::npos : close - at + 1);
        }
        return Trim(gloss);
    };
    for (const auto& [word, entries] : wordIndex) {
        const CedictEntry* e = ChooseEntry(entries);
        bool marked = MarkedForTaiwan(e->senses);
        std::string gloss = firstGloss(*e);
        if (word.size() < 2 || gloss.empty() || (!marked && !everyday.count(word))) continue;
        double& most = taiwanGlosses[gloss];
        most = std::max(most, shareIn(taiwanWords, word));
    }
    std::map<std::pair<std::u32string, std::string>, WordCandidate> bySpelling;
    for (const auto& [word, entries] : wordIndex) {
        std::size_t n = word.size();
        if (n < 2 || n > 4 || mainlandForms.count(word)) continue;
        if (!std::all_of(word.begin(), word.end(), [](char32_t c) { return IsBmpHan(c); })) continue;
        const CedictEntry* e = ChooseEntry(entries);
        const std::u32string& standard = standardOf[word];
        bool listedWord = everyday.count(word) > 0;
        bool taiwanWord = listedWord || taiwanForms.count(word) || MarkedForTaiwan(e->senses);
        auto synonym = taiwanGlosses.find(firstGloss(*e));
        if (!taiwanWord && synonym != taiwanGlosses.end() && shareIn(taiwanWords, word) < synonym->second) continue;
        // A word that Taiwan's phrases never hold is an example only when running text has it often
        // (網站, 幹嘛), not when it is the mainland's rarer word (暫住證, 盒飯, 忽悠).
        if (!taiwanWord && shareIn(taiwanWords, word) == 0 && shareIn(runningShares, word) < kUnheldWordShare) continue;
        if (IsCoarse(e->senses)) continue;
        auto listed = everyday.find(word);
        // An everyday word reads as Taiwan says it (高麗菜 gao1 li4 cai4).
        std::string pinyin = listed != everyday.end() ? listed->second.reading : e->pinyin;
        std::string reading = NormaliseCedictReading(pinyin, true);
        if (reading.empty() || Split(reading, ' ').size() != n) continue;
        std::string translation;
        auto handWritten = written.find({word, NormaliseCedictReading(pinyin, false)});
        if (handWritten != written.end()) translation = handWritten->second;
        if (listed != everyday.end() && !listed->second.translation.empty()) translation = listed->second.translation;
        // Only names and institutions hold a proper noun's place among the examples when Taiwan
        // writes them as often as its most common words (台灣, 美國).
        double taiwanShare = shareIn(taiwanWords, word);
        if (translation.empty() && IsProperNoun(*e) && taiwanShare < kCommonProperShare) continue;
        // A word that the dictionary only names as part of others ("used in the names of grand
        // buildings") teaches no sense of its own.
        if (translation.empty() && OnlyUsedIn(e->senses)) continue;
        if (translation.empty()) translation = ComposeMeaning(e->senses, TranslationLimit(n), false);
        // A spelling variant (傢伙 for 家伙) takes the meaning of the word it names.
        if (translation.empty()) translation = MeaningOfReferencedWord(e->senses, wordIndex, TranslationLimit(n));
        if (translation.size() < 3 || IsCoarse({translation})) continue;
        WordCandidate cand{word, e->simplified, NormaliseCedictReading(pinyin, false), "<" + reading + "> " + translation,
                           ExampleFrequency(shareIn(pooledRunning, standard), shareIn(pooledTaiwan, standard)),
                           shareIn(runningShares, word), 0, standard};
        cand.preference = cand.running > 0 ? taiwanShare / cand.running : 0;
        if (IsProperNoun(*e)) cand.frequency *= kProperWordFactor;
        // A specialist's word (幻燈片 "(computing) slide", 梯度 "gradient (math.)") or a dated or
        // dialect one teaches a learner less than an everyday word.
        if (IsSpecialist(e->senses)) cand.frequency *= kSpecialistFactor;
        // The dictionary's Taiwan words ("(Tw) taxi") and the forms OpenCC names as Taiwan's are
        // Taiwan's words; the everyday ones written for this database come before most others.
        if (listed != everyday.end()) cand.frequency = std::max(cand.frequency, kUnheldWordShare) * kEverydayFactor;
        else if (taiwanWord) cand.frequency *= kTaiwanWordFactor;
        // A word that reads every character with a rarer reading (中的 zhong4 di4, "to hit the
        // target") owes its count mostly to the same characters in their usual sense (中的, "in the").
        std::vector<std::string> syllables = Split(cand.reading, ' ');
        bool allSecondary = true;
        for (std::size_t i = 0; i < n && allSecondary; ++i) {
            const std::vector<std::string>& texts = readingsOf(word[i]);
            allSecondary = texts.size() > 1 && ReadingsOf(texts).front() != syllables[i];
        }
        if (allSecondary) cand.frequency *= kRarerReadingsFactor;
        auto [it, fresh] = bySpelling.try_emplace({ChooseEntry(wordIndex.at(standard))->simplified, cand.reading}, cand);
        bool better = standard == it->second.standard
                          ? (cand.word == standard ? !TaiwanWritesVariant(it->second, cand) : TaiwanWritesVariant(cand, it->second))
                          : WordBefore(cand, it->second);
        if (!fresh && better) it->second = cand;
    }
    auto fits = [&](const WordCandidate& w) {
        std::vector<std::string> syllables = Split(w.reading, ' ');
        for (std::size_t i = 0; i < w.word.size(); ++i) {
            char32_t x = w.word[i];
            if (!renders(x) || !renders(simplifiedOf(x))) return false;
            const std::vector<std::string>& texts = readingsOf(x);
            if (texts.empty() || !ReadingAgrees(syllables[i], x, ReadingsOf(texts))) return false;
        }
        return true;
    };
    // The trainer shows, for a character, the first eight words of the file that hold it.
    std::vector<const WordCandidate*> ordered;
    for (const auto& [key, cand] : bySpelling) {
        if (fits(cand)) ordered.push_back(&cand);
    }
    std::sort(ordered.begin(), ordered.end(), [](const WordCandidate* a, const WordCandidate* b) { return WordBefore(*a, *b); });
    std::vector<ExampleCandidate> examples;
    for (const WordCandidate* w : ordered) examples.push_back(ExampleCandidate{w->word, w->text, sources.taiwanPhrases.count(w->word) > 0});
    std::vector<const WordCandidate*> chosen;
    for (std::size_t k : ChooseExamples(examples, [&](char32_t c) { return inIndex.count(c) > 0; }, kExamples))
        chosen.push_back(ordered[k]);
    std::vector<WordCandidate> words;
    for (const WordCandidate* w : chosen) words.push_back(*w);
    if (!unmetReadings.empty()) {
        std::fprintf(stderr, "dbbuild: readings written with \"-\" that the builder does not find: %s\n", unmetReadings.front().c_str());
        return 2;
    }

    // Records: every index character and every character of a word.
    std::set<char32_t> recorded(index.begin(), index.end());
    for (const WordCandidate& w : words) recorded.insert(w.word.begin(), w.word.end());
    DatabaseContent content;
    std::map<std::uint16_t, Glyph> glyphs;
    // Weights: the share of running text of each rank, from the rank-frequency curve of a counted
    // corpus (Unihan's reading counts), so that the share a learner knows is that of real text;
    // Rime's counts, made for an input method, give rare words too much. Beyond the curve, 1.
    std::vector<double> rankShares = RankShares(sources.unihan);
    double weightTotal = 0;
    std::map<char32_t, double> indexUnits;
    for (std::size_t k = 0; k < index.size(); ++k) {
        double share = k < rankShares.size() ? rankShares[k] : 0;
        double units = std::max(1.0, std::min(32767.0, std::round(share * kWeightScale)));
        indexUnits[index[k]] = units;
        weightTotal += units;
    }
    for (char32_t c : recorded) {
        CharInfo info;
        info.code = static_cast<std::uint16_t>(c);
        auto ranked = indexUnits.find(c);
        info.weight = static_cast<std::int16_t>(ranked != indexUnits.end() ? ranked->second : 0);
        char32_t s = simplifiedOf(c);
        info.otherForm = s == c ? 0 : static_cast<std::uint16_t>(s);
        info.showBoth = s == c ? 0 : 1;
        info.readings = readingsOf(c);
        content.chars[info.code] = info;
        glyphs[info.code] = glyphCache.at(c);
        glyphs[static_cast<std::uint16_t>(s)] = glyphCache.at(s);
    }
    content.index.assign(index.begin(), index.end());
    for (const WordCandidate& w : words) {
        content.words.push_back(WordEntry{std::vector<std::uint16_t>(w.word.begin(), w.word.end()), w.text});
    }
    std::vector<CharInfo> chars;
    for (const auto& [code, info] : content.chars) chars.push_back(info);
    DatabaseImage image;
    if (!EncodeDatabase(glyphs, chars, content.index, SyllableTable(), content.words, image, error)) {
        std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
        return 3;
    }
    if (!WriteDatabaseFolder(options.outDir, image, error)) {
        std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
        return 4;
    }
    if (!options.reviewFile.empty()) {
        std::ofstream review(options.reviewFile, std::ios::binary);
        review << ReviewTable(content);
    }

    int two = 0, three = 0;
    for (char32_t c : index) {
        two += readingsOf(c).size() == 2;
        three += readingsOf(c).size() == 3;
    }
    std::printf("index: %zu characters; records: %zu (index characters with 2 readings: %d, with 3: %d)\n",
                index.size(), chars.size(), two, three);
    std::printf("words: %zu; glyphs: %zu; index weights sum to %.2f%% of running text\n", words.size(),
                glyphs.size(), 100.0 * weightTotal / kWeightScale);
    std::printf("first characters: ");
    for (std::size_t i = 0; i < 40 && i < index.size(); ++i) std::printf("%s", EncodeUtf8(index[i]).c_str());
    std::printf("\n");
    for (const LintRule& rule : Lint(content, &sources.unihan, sources.taiwanPhrases.empty() ? nullptr : &sources.taiwanPhrases)) {
        std::printf("lint %-28s %5d", rule.name.c_str(), rule.count);
        for (const std::string& e : rule.examples) std::printf("  %s", e.c_str());
        std::printf("\n");
    }
    return 0;
}
