// Frequencies of words and characters in modern traditional-character text, and the evidence that
// ties traditional forms to their simplified ones and to their readings.
#pragma once
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "sources.h"

struct FormEvidence {
    // (simplified, traditional) -> summed frequency of the words in which the one writes the other.
    std::map<std::pair<char32_t, char32_t>, double> pairs;
    // Traditional character -> simplified forms named by its single-character entries, in entry order.
    std::map<char32_t, std::vector<char32_t>> simplifiedOf;
    // Traditional characters whose every single-character entry only names another form.
    std::set<char32_t> variantOnly;
    // Traditional character -> reading (trainer form, lower case) -> summed word frequency.
    std::map<char32_t, std::map<std::string, double>> readings;
    // Traditional character -> reading -> share of the most frequent common word that reads it so.
    std::map<char32_t, std::map<std::string, double>> topWord;
};

using WordShares = std::map<std::u32string, double>;

// Each source's counts as shares of its own total, blended with the given weight of the second.
// libchewing counts only phrases of two or more characters; Rime's counts also single ones.
WordShares BlendWordShares(const std::map<std::u32string, long long>& first,
                           const std::map<std::u32string, long long>& second, double secondWeight);

// Share of running text per character: every word counts once for each character it holds.
std::map<char32_t, double> CharacterShares(const WordShares& words);

// Shares of running text per character from word counts of an input method's dictionary, whose
// long words (科學技術, 資料中心) count far beyond their part of text: the counts of each word
// length are scaled so that words of one, two, three and four or more characters hold the parts of
// running text given here. Single characters come from the first source only (libchewing counts
// none); longer words from both, the second with the given weight: Taiwan's phrases.
struct LengthParts {
    double one = 0.35, two = 0.49, three = 0.10, more = 0.06;
};
std::map<char32_t, double> RunningTextShares(const std::map<std::u32string, long long>& withSingles,
                                             const std::map<std::u32string, long long>& phrases,
                                             double phraseWeight, const LengthParts& parts = {});

// Unihan's kFrequency (traditional-character postings) sorts characters into five bands, 1 the most
// frequent. Each band stands for the ranks its characters take among the Big5 characters; its share is
// the geometric mean of the shares of those ranks. Index 0 holds the share of the first rank past
// the bands, for a character of traditional use that no band holds.
std::vector<double> BandShares(const Unihan& unihan, const std::vector<double>& rankShares);

// The key that orders index, the logarithm of a share: Taiwan's informal writing (the band's share,
// with the given weight) blended with running text. A character that Taiwan's phrases hardly use
// against the counts converted from mainland text (硅, where Taiwan writes 矽) and that no band holds
// falls far.
double OrderScore(double running, double bandShare, double bandWeight, bool taiwanHardlyUses);

// "character<TAB>band" lines (band 1 to 5), # for comments; false, naming the line, for any other.
bool ParseSpeechBands(const std::string& text, std::map<char32_t, int>& bands, std::string& error);

// The share of running text that the character of each rank has (most frequent first), from Unihan's
// reading counts of a corpus of modern text (kHanyuPinlu, summed over a character's readings).
// Unihan gives a simplified and a traditional form the same counts: each pair counts once.
std::vector<double> RankShares(const Unihan& unihan);
// Each traditional character's share of that corpus (its simplified form's counts when it has none).
std::map<char32_t, double> CountedShares(const Unihan& unihan);

// Each dictionary word of two or more characters counts with its frequency (keyed by its traditional
// spelling), split evenly between its common entries (its proper-noun entries when it has no other,
// for the forms only: names teach no reading).
FormEvidence CollectEvidence(const std::vector<CedictEntry>& cedict, const WordShares& words);

// The simplified form of a traditional character: the one its words use most, or itself.
char32_t SimplifiedForm(char32_t traditional, const FormEvidence& evidence, const Unihan& unihan);
