// The whole build: sources in, the bundled database out.
#pragma once
#include <string>

#include "readings.h"
#include "sources.h"

struct BuildOptions {
    SourcePaths sources;
    std::string fontPath = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";
    int faceIndex = 0;
    std::string outDir;
    std::string reviewFile;    // the review table, when given
    std::string meaningsFile;  // meanings written for this database, "character<TAB>reading<TAB>meaning"
    std::string speechFile;    // bands of pronouns, particles and interjections, "character<TAB>band"
    std::string readingsFile;  // readings written for this database, "character<TAB>reading<TAB>meaning or -"
    std::string everydayFile;  // Taiwan's everyday words, "word<TAB>reading<TAB>translation or -"
    int indexSize = 8000;
};

// The translation bound for a word of n characters: its text column narrows as the word grows.
std::size_t TranslationLimit(std::size_t characters);

// Runs the build and prints what it made, with the lint's counts; returns the process exit code.
int RunBuild(const BuildOptions& options);
