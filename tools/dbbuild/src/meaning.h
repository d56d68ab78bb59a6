// Turns dictionary senses into the short plain-ASCII meanings the trainer can draw:
// the program narrows every text to 8 bits, so no CJK and no accents may remain.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Replaces accented Latin letters by their base letters and typographic punctuation by ASCII;
// drops every other non-ASCII character.
std::string AsciiFold(std::string_view utf8);

// One CC-CEDICT sense in plain ASCII, without references to other characters ("see ...",
// "variant of ..."), classifier lists or bracketed pinyin; "" when nothing useful is left.
std::string CleanSense(std::string_view sense);

// Takes the labels that say where a sense is used in Taiwan out of it: "(Tw)" and the region lists
// that name Taiwan ("(HK, Tw)", "(Tw, HK, Macau)"); true when there was one.
bool TakeTaiwanLabel(std::string& sense);

// A sense that only names the character's standard form ("variant of ...", "old variant of ...").
bool IsVariantReference(std::string_view sense);

// Joins the cleaned senses with "; ", in order, in at most maxLength bytes. Surnames go last; a sense
// too long for the bound loses its parenthesis or, failing that, gives way to the shorter senses after
// it. Only when no sense fits is the first one cut, at a clause or word boundary.
// A word's translation (cutAllowed false) gives "" rather than a cut sense, or the first clause of a
// long explanation, up to its first comma.
std::string ComposeMeaning(const std::vector<std::string>& senses, std::size_t maxLength, bool cutAllowed = true);
