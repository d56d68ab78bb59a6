// Whether the database files fit together, checked once they are loaded: a database that loads
// but leaves characters that can never be answered is refused at start, never found out by a
// learner whose every answer is wiped.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/file_faults.h"
#include "data/whole_file.h"

struct StringList;

// The syllables of the syllable list, each packed into a number and kept in a small hash table, so
// that the check of 8000 records' readings, run at every start, stays well under a millisecond.
class SyllableSet {
public:
    explicit SyllableSet(const StringList& list);
    bool Holds(std::string_view syllable) const;
    bool Empty() const { return empty_; }

private:
    std::size_t Slot(std::uint32_t key) const;
    std::vector<std::uint32_t> slots_;  // open addressing; 0 is an empty slot, as no syllable packs to 0
    int shift_ = 28;                    // 32 less the bits of a slot number
    bool empty_ = true;
};

// Whether a reading can be typed right: one to six letters, a syllable of the list, then a tone
// digit 1 to 4 or none (the neutral tone, typed with 5 or 0).
bool IsTypableReading(std::string_view reading, const SyllableSet& syllables);
// Whether the reading has that form at all, whatever the list holds.
bool LooksLikePinyin(std::string_view reading);

// Checks the readings of the cif record at 'offset' of 'info' (all of cif) as the trainer will
// read them when the character comes up; with an empty syllable list (the start refuses one) only
// the record's shape. Returns None, or what is wrong (EndsEarly,
// TooManyReadings, ReadingNotSyllable) with the reading in 'reading'.
FaultDetail CheckRecordReadings(const FileBytes& info, std::uint32_t offset, const SyllableSet& syllables,
                                std::string& reading);

// Step codes of the checks after the tables are filled:
//   473 index names a character twice, so it counts fewer characters than cif must hold for it;
//   482 a record of a frequency-list character in cif ends early or names four or more readings;
//   481 a reading of a frequency-list character is no syllable of pinyin (the two do not fit).
constexpr int StepFrequencyTwice = 473;
constexpr int StepRecordReadingsDamaged = 482;
constexpr int StepReadingNotSyllable = 481;

// The checks on the loaded tables (FreqList, InfoOffset), cif as read and SyllableList. Returns 1,
// or 0 after the step code with the fault kept.
int CheckDatabaseFits(const FileBytes& info);
