// Choosing example words: which dictionary entry speaks for a word, which words a learner should
// not meet as examples, and whether a word's reading agrees with its characters' readings.
#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "sources.h"

// The entry that gives a word its sense: a common entry before a proper noun (大學 "university",
// not the classic; 基地 "base", not the organisation), one whose first sense is fit for a learner
// before one whose is not, and then the one with the most senses, the word's everyday use
// (東西 dong1 xi5 "thing", not dong1 xi1 "east and west").
const CedictEntry* ChooseEntry(const std::vector<const CedictEntry*>& entries);

// The words that Taiwan writes otherwise: each word of OpenCC's Taiwan phrase table whose Taiwan
// forms do not include itself (軟件 -> 軟體; not 社區 -> 社羣 社區), unless Taiwan's phrases hold it at
// least a tenth as often as its most common Taiwan form and Taiwan prefers it, against running
// text, at least a fifth as much (支持 beside 支援; not 界面 beside 介面, nor 複印 beside 影印).
std::set<std::u32string> MainlandForms(const std::map<std::u32string, std::vector<std::u32string>>& table,
                                       const std::function<double(const std::u32string&)>& taiwanShare,
                                       const std::function<double(const std::u32string&)>& runningShare);

// How often a learner in Taiwan meets a word: its share of running text (counted in mainland text,
// so a word Taiwan writes otherwise brings its count to the Taiwan form), times the square root of
// how much more Taiwan's phrases hold it than running text does, within a fifth and five times.
// Taiwan's phrase counts come from an input method's dictionary and over-count trade and office
// words (同業公會, 補給站), and they predate 網站 and 手機: they correct running text, never replace
// it. A word that running text lacks counts a twenty-fifth of its phrase share.
double ExampleFrequency(double runningShare, double taiwanShare);

// The spelling a word is a variant of ("variant of 計劃[ji4 hua4]" for 計畫: same length, same
// reading), else the word itself.
std::u32string StandardSpelling(const CedictEntry& entry, const std::map<std::u32string, std::vector<const CedictEntry*>>& words);

// A word of a specialist's field ("(computing)", "(math.)", "(botany)" ...) or a dated, literary or
// dialect word, by its first sense.
bool IsSpecialist(const std::vector<std::string>& senses);

// A word the dictionary marks as Taiwan's, in all or some of its senses: "(Tw)", a region list that
// names Taiwan ("(HK, Tw) boarding pass"), "(in Taiwan)", or a note on how Taiwan says it
// ("(Tw pr. [...])").
bool MarkedForTaiwan(const std::vector<std::string>& senses);

// Senses that only name the word as part of others ("used in the names of grand buildings ...").
bool OnlyUsedIn(const std::vector<std::string>& senses);

// A word a learner should not meet as an example: one marked vulgar, obscene or offensive, or whose
// main (first) sense is slang, derogatory, a euphemism or sexual, or whose first two senses hold a
// coarse word (畜生 "domestic animal; bastards"). A coarse word further down (機車 "locomotive;
// motorcycle; scooter", then "damn!") only keeps that sense out of the translation.
bool IsCoarse(const std::vector<std::string>& senses);
// A text with any such mark or word, slang included.
bool HasCoarseMark(const std::string& text);
// A sense a learner is not taught while the word or character has any other: slang, vulgar or
// sexual ("(fig.) penis" of 小鳥 "small bird").
bool IsUnfitSense(const std::string& sense);

// The first word of each "reading meaning" text.
std::vector<std::string> ReadingsOf(const std::vector<std::string>& texts);

// Whether a syllable of a word (trainer form, "de" for the neutral tone, "r" for erhua) is one of
// the character's readings; a neutral tone agrees with any tone of the same syllable.
bool ReadingAgrees(std::string_view syllable, char32_t character, const std::vector<std::string>& readings);
