// Pinyin as the trainer wants it: a toneless syllable from a fixed table, tone digits 1 to 4,
// the neutral tone as the bare syllable, and v for u-umlaut.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Every valid Mandarin syllable without tone, sorted; includes the interjections m, n, ng, hm, hng.
const std::vector<std::string>& SyllableTable();
bool IsSyllable(std::string_view syllable);

// One CC-CEDICT syllable ("lu:4", "Zhang1", "de5", "r5") in the trainer's form ("lv4", "zhang1",
// "de", "r"). keepCase keeps a capital initial, as proper nouns have in word readings.
// Returns "" for anything that is not letters followed by at most one tone digit 1 to 5.
std::string NormaliseCedictSyllable(std::string_view raw, bool keepCase = false);

// A whole CC-CEDICT reading ("ni3 hao3") in the trainer's form; "" if any syllable is not pinyin.
std::string NormaliseCedictReading(std::string_view raw, bool keepCase = true);

// A Unihan reading with tone marks ("liǎo", "nüè", "ḿ") in the trainer's form ("liao3", "nve4", "m2").
// Returns "" for text that is not a single pinyin syllable.
std::string NumberedFromAccented(std::string_view accented);

// The syllable of a reading without its tone digit ("lv4" -> "lv", "de" -> "de").
std::string SyllableOf(std::string_view reading);
