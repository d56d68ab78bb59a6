// Frequency lists count simplified text; the database is keyed by the traditional form. Where one
// simplified character stands for several traditional ones, its count is shared out by how often
// each traditional form occurs in dictionary words, weighted by the words' own frequencies.
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
    // Simplified character -> traditional forms named by single-character dictionary entries.
    std::map<char32_t, std::set<char32_t>> traditionalOf;
    // Traditional character -> simplified forms named by its single-character entries, in entry order.
    std::map<char32_t, std::vector<char32_t>> simplifiedOf;
    // Simplified -> traditional -> readings that the single-character entries give the pair.
    std::map<char32_t, std::map<char32_t, std::set<std::string>>> formReadings;
    // Traditional characters whose every single-character entry only names another form.
    std::set<char32_t> variantOnly;
    // Traditional character -> reading (trainer form, lower case) -> summed word frequency.
    std::map<char32_t, std::map<std::string, double>> readings;
};

// Each dictionary word of two or more characters counts with its frequency, split evenly between the
// entries that share its simplified spelling. Unihan's variants stand in for characters that the
// dictionary has no single-character entry for.
FormEvidence CollectEvidence(const std::vector<CedictEntry>& cedict, const std::map<std::u32string, long long>& wordCounts,
                             const Unihan& unihan);

// Counts per traditional character. A listed character that is a simplified form gives its count to
// its traditional forms (mere variants only when nothing else is left). Where Unihan counts the
// character's readings, each reading's share goes to the forms that have that reading; forms that
// share a reading, or a character without reading counts, divide by the word evidence (evenly when
// there is none). Any other listed character (a traditional form found in the corpus) keeps its count.
std::map<char32_t, double> ShareCounts(const std::vector<std::pair<char32_t, long long>>& charCounts,
                                       const FormEvidence& evidence, const Unihan& unihan);

// The simplified form of a traditional character: the one its words use most, or itself.
char32_t SimplifiedForm(char32_t traditional, const FormEvidence& evidence, const Unihan& unihan);
