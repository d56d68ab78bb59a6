// lumora_dbbuild: builds the bundled character database from open sources, or checks one.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "build.h"
#include "lint.h"

namespace {

// Lints an existing database folder (and writes its review table when asked).
int LintFolder(const std::string& folder, const std::string& unicodeDir, const std::string& reviewFile,
               const std::string& phrasesFile, const std::vector<std::string>& vocabularies) {
    DatabaseContent content;
    std::string error, text;
    if (!DecodeDatabase(folder, content, error)) {
        std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
        return 2;
    }
    // Without Unihan the checks that need it are left out.
    Unihan unihan;
    bool withUnihan = true;
    for (const char* name : {"Unihan_OtherMappings.txt.bz2", "Unihan_Variants.txt.bz2", "Unihan_DictionaryLikeData.txt.bz2"}) {
        withUnihan = withUnihan && ReadBz2File(unicodeDir + "/" + name, text, error);
        if (withUnihan) ParseUnihan(text, unihan);
    }
    if (!reviewFile.empty()) std::ofstream(reviewFile, std::ios::binary) << ReviewTable(content);
    PhraseTable phrases;
    if (!phrasesFile.empty()) {
        if (!ReadPlainFile(phrasesFile, text, error)) {
            std::fprintf(stderr, "dbbuild: %s\n", error.c_str());
            return 2;
        }
        phrases = ParsePhraseTable(text);
    }
    for (const LintRule& rule : Lint(content, withUnihan ? &unihan : nullptr, phrasesFile.empty() ? nullptr : &phrases)) {
        std::printf("lint %-28s %5d", rule.name.c_str(), rule.count);
        for (const std::string& e : rule.examples) std::printf("  %s", e.c_str());
        std::printf("\n");
    }
    // Each vocabulary list's coverage, with every word that fails it.
    for (const std::string& file : vocabularies) {
        VocabularyResult result;
        if (!ReadPlainFile(file, text, error) || !CheckVocabulary(content, text, result, error)) {
            std::fprintf(stderr, "dbbuild: %s: %s\n", file.c_str(), error.c_str());
            return 2;
        }
        std::printf("vocabulary %s: Taiwan words %d of %d present, mainland words %d of %d present\n", file.c_str(),
                    result.taiwanFound, result.taiwan, result.mainlandFound, result.mainland);
        for (const std::string& m : result.missing) std::printf("  missing %s\n", m.c_str());
        for (const std::string& p : result.present) std::printf("  present %s\n", p.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    BuildOptions options;
    std::string lintFolder;
    std::vector<std::string> vocabularies;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* name) -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "dbbuild: %s needs a value\n", name);
                std::exit(1);
            }
            return argv[++i];
        };
        if (arg == "--unicode") options.sources.unicodeDir = value("--unicode");
        else if (arg == "--cedict") options.sources.cedictFile = value("--cedict");
        else if (arg == "--essay") options.sources.essayFile = value("--essay");
        else if (arg == "--chewing") options.sources.chewingDir = value("--chewing");
        else if (arg == "--font") options.fontPath = value("--font");
        else if (arg == "--face") options.faceIndex = std::atoi(value("--face").c_str());
        else if (arg == "--out") options.outDir = value("--out");
        else if (arg == "--review") options.reviewFile = value("--review");
        else if (arg == "--meanings") options.meaningsFile = value("--meanings");
        else if (arg == "--speech") options.speechFile = value("--speech");
        else if (arg == "--everyday") options.everydayFile = value("--everyday");
        else if (arg == "--readings") options.readingsFile = value("--readings");
        else if (arg == "--taiwan-phrases") options.sources.taiwanPhrasesFile = value("--taiwan-phrases");
        else if (arg == "--lint") lintFolder = value("--lint");
        else if (arg == "--vocabulary") vocabularies.push_back(value("--vocabulary"));
        else {
            std::fprintf(stderr,
                         "usage: lumora_dbbuild --cedict FILE --essay FILE --out DIR [--chewing DIR] [--unicode DIR]\n"
                         "                      [--font FILE] [--face N] [--review FILE] [--meanings FILE]\n"
                         "                      [--speech FILE] [--everyday FILE] [--readings FILE]\n"
                         "                      [--taiwan-phrases FILE]\n"
                         "       lumora_dbbuild --lint DIR [--unicode DIR] [--review FILE] [--taiwan-phrases FILE]\n"
                         "                      [--vocabulary FILE]...\n");
            return 1;
        }
    }
    if (!lintFolder.empty())
        return LintFolder(lintFolder, options.sources.unicodeDir, options.reviewFile, options.sources.taiwanPhrasesFile,
                          vocabularies);
    if (options.sources.cedictFile.empty() || options.sources.essayFile.empty() || options.outDir.empty()) {
        std::fprintf(stderr, "dbbuild: --cedict, --essay and --out are required\n");
        return 1;
    }
    return RunBuild(options);
}
