// The whole build: sources in, the bundled database out.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "frequency.h"
#include "sources.h"

struct BuildOptions {
    SourcePaths sources;
    std::string fontPath = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
    int faceIndex = 0;
    std::string outDir;
    int indexSize = 8000;
    bool verbose = false;  // names every frequent character left out of index
};

// The readings of one traditional character, "reading meaning" each, at most three, the most common
// first. Readings come from its single-character dictionary entries; a reading is kept when it has a
// meaning and at least 2% of the character's use, by Unihan's reading counts or by the dictionary's
// words. A reading that the dictionary only explains by a word ("used in 便宜[pian2 yi5]") takes that
// word's meaning; one whose meaning repeats a more common reading's is left out, since the rows
// are told apart by their meanings. Unihan's readings and definition stand in when the dictionary has nothing.
using WordIndex = std::map<std::u32string, std::vector<const CedictEntry*>>;
std::vector<std::string> MakeReadings(char32_t traditional, char32_t simplified,
                                      const std::vector<const CedictEntry*>& entries, const FormEvidence& evidence,
                                      const Unihan& unihan, const WordIndex& words);

// The translation bound for a word of n characters: its text column narrows as the word grows.
std::size_t TranslationLimit(std::size_t characters);

// Runs the build and prints what it made; returns the process exit code.
int RunBuild(const BuildOptions& options);
