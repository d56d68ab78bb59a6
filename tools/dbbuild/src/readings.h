// The readings of a character that a learner meets, each with its meaning.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sources.h"

using WordIndex = std::map<std::u32string, std::vector<const CedictEntry*>>;

struct ReadingEvidence {
    // Reading (trainer form) -> summed share of the dictionary words that read the character so.
    std::map<std::string, double> inWords;
    // Reading -> share of running text of the most frequent word that reads the character so.
    std::map<std::string, double> topWord;
    // Share of running text of the character standing alone as a word.
    double alone = 0;
    // How common another character is, to tell whose a shared reading is.
    std::function<double(char32_t)> shareOf = [](char32_t) { return 0.0; };
};

// At most three "reading meaning" texts, the most common first. A reading comes from the
// character's single-character dictionary entries and is kept when its share of the character's use
// reaches a few percent, or when a common word reads the character so (的 di2 in 的確). The share
// is the mean of two estimates where Unihan counts the readings: use in words, weighted by their
// frequency, with the character alone split by those counts; and Unihan's counts themselves. A reading the dictionary gives only as another, more common character's ("variant of 隻")
// belongs to that character and is left out; one known only from proper nouns (surnames, places)
// stays only when it is the main use. A reading explained only by a word takes the word's meaning.
std::vector<std::string> MakeReadings(char32_t traditional, char32_t simplified,
                                      const std::vector<const CedictEntry*>& entries, const ReadingEvidence& evidence,
                                      const Unihan& unihan, const WordIndex& words);

// The meaning of the first word that a sense points to as "used in WORD[reading]"; "" if none.
std::string MeaningOfReferencedWord(const std::vector<std::string>& senses, const WordIndex& words,
                                    std::size_t maxLength, int depth = 2);

bool IsProperNoun(const CedictEntry& e);
