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
    // How common another character is ("to appear; also written 現": the reading is 現's).
    std::function<double(char32_t)> shareOf = [](char32_t) { return 0.0; };
};

// At most three "reading meaning" texts, the most common first. A reading comes from the
// character's single-character dictionary entries. One that stands free is kept when its share of the
// character's use reaches a few percent or a common word reads the character so (的 di2 in 的確);
// one bound to words (佛 fu2 in 仿佛) only when such a word is common. The share is the mean of two
// estimates where Unihan counts the readings: use in words, weighted by their frequency, with the
// character alone split by those counts; and Unihan's counts themselves. A reading the dictionary
// gives as that of a character simplified to this one (只 zhi1, "variant of 隻") belongs to that
// character; one known only from surnames and places stays only as the main use. A reading explained
// by a word takes the word's meaning; a vulgar reading beside others is left out.
std::vector<std::string> MakeReadings(char32_t traditional, char32_t simplified,
                                      const std::vector<const CedictEntry*>& entries, const ReadingEvidence& evidence,
                                      const Unihan& unihan, const WordIndex& words);

// The meaning of the first word that a sense points to as "used in WORD[reading]"; "" if none.
std::string MeaningOfReferencedWord(const std::vector<std::string>& senses, const WordIndex& words,
                                    std::size_t maxLength, int depth = 2);

bool IsProperNoun(const CedictEntry& e);

// Meanings written for this database, by character and reading ("character<TAB>reading<TAB>meaning")
// or by example word and its reading ("word<TAB>syllables<TAB>translation", 2 to 4 characters),
// # for comments. False, naming the line, for a line that is not so or a meaning the trainer cannot
// show (over 40 characters for a character, over 60 for a word, not plain ASCII).
using WrittenMeanings = std::map<std::pair<std::u32string, std::string>, std::string>;
bool ParseWrittenMeanings(const std::string& text, WrittenMeanings& meanings, std::string& error);

// Taiwan's everyday words written for this database: "word<TAB>reading<TAB>translation", the
// translation "-" where the dictionary's serves. False, naming the line, for a line that is not so.
struct EverydayWord {
    std::string reading;
    std::string translation;  // "" for the dictionary's
};
bool ParseEverydayWords(const std::string& text, std::map<std::u32string, EverydayWord>& words, std::string& error);

// Readings written for this database where the dictionary's evidence misleads (累 lei4 before
// lei3, 把 ba4 of 刀把, no 蘋 pin2): "character<TAB>reading<TAB>meaning", the meaning "-" for the
// one the builder finds; a character's lines, in order, are all its readings (at most three).
// False, naming the line, for a line that is not so.
using WrittenReadings = std::map<char32_t, std::vector<std::pair<std::string, std::string>>>;
bool ParseWrittenReadings(const std::string& text, WrittenReadings& readings, std::string& error);
