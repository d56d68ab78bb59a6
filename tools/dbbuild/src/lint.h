// Checks of the built database as a learner meets it, and the review table a person reads.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "database_files.h"
#include "sources.h"

struct DatabaseContent {
    std::vector<std::uint16_t> index;
    std::map<std::uint16_t, CharInfo> chars;
    std::vector<WordEntry> words;  // in file order
};

// Reads a database folder back (cifcon, cif, index, wtf); false with a message when a file is
// missing or cut short.
bool DecodeDatabase(const std::string& folder, DatabaseContent& content, std::string& error);

// The examples the trainer shows for a character: the first eight words that hold it, in file order.
std::vector<const WordEntry*> ExamplesOf(const DatabaseContent& content, std::uint16_t code);

struct LintRule {
    std::string name;
    int count = 0;
    std::vector<std::string> examples;  // the first few violations, readable
};

// The index characters' weights as a share of running text (1.0 = all of it).
double IndexShare(const DatabaseContent& content);

// Every rule with its count of violations. With Unihan (its Big5 sets and variants), also the
// checks that index holds only characters of traditional use and no simplified-only form; with
// OpenCC's Taiwan phrase table (a mainland word -> the forms Taiwan writes), the check that no
// example is a word Taiwan writes otherwise.
using PhraseTable = std::map<std::u32string, std::vector<std::u32string>>;
std::vector<LintRule> Lint(const DatabaseContent& content, const Unihan* unihan, const PhraseTable* taiwanPhrases = nullptr);

// A Taiwan and mainland vocabulary list read against the database. Lines "word<TAB>tw<TAB>keywords"
// name an everyday word of Taiwan that must be an example whose translation holds one of the
// "/"-separated keywords (any case, as part of a word); lines "word<TAB>cn<TAB>counterpart" a word
// Taiwan writes otherwise, which must not be an example. # starts a comment.
struct VocabularyResult {
    int taiwan = 0, taiwanFound = 0, mainland = 0, mainlandFound = 0;
    std::vector<std::string> missing;  // Taiwan words absent or without their sense, with what is there
    std::vector<std::string> present;  // mainland words among the examples, with their text
};
// False, naming the line, for a line of any other form.
bool CheckVocabulary(const DatabaseContent& content, const std::string& list, VocabularyResult& result, std::string& error);

// "rank<TAB>character<TAB>readings with meanings<TAB>first three examples", one line per index character.
std::string ReviewTable(const DatabaseContent& content);
