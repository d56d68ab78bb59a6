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

// The key that orders index: the share, with characters outside Taiwan's frequently used set
// (Big5 level 1) demoted, so that a rare form inflated by a conversion (纔 for 才) does not outrank
// everyday characters; such a character that Taiwan's phrases hardly use (taiwanShare under a
// hundredth of its share: 硅, where Taiwan writes 矽) is demoted again.
double RankScore(double share, int big5Level, double taiwanShare);

// The share of running text that the character of each rank has (most frequent first), from Unihan's
// reading counts of a corpus of modern text (kHanyuPinlu, summed over a character's readings).
// Unihan gives a simplified and a traditional form the same counts: each pair counts once.
std::vector<double> RankShares(const Unihan& unihan);

// Each dictionary word of two or more characters counts with its frequency (keyed by its traditional
// spelling), split evenly between its common entries (its proper-noun entries when it has no other,
// for the forms only: names teach no reading).
FormEvidence CollectEvidence(const std::vector<CedictEntry>& cedict, const WordShares& words);

// The simplified form of a traditional character: the one its words use most, or itself.
char32_t SimplifiedForm(char32_t traditional, const FormEvidence& evidence, const Unihan& unihan);
