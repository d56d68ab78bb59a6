// The checks that the database files fit together.
#include "data/database_check.h"

#include <algorithm>
#include <bitset>

#include "data/program_state.h"
#include "data/scramble.h"

namespace {

constexpr std::size_t MaxSyllableLetters = 6;  // what an entry row holds

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// 1 to 6 letters a-z as a number (27 values a letter, so no two spellings meet); 0 for anything else.
std::uint32_t SyllableKey(std::string_view letters) {
    if (letters.empty() || letters.size() > MaxSyllableLetters) return 0;
    std::uint32_t key = 0;
    for (const char c : letters) {
        if (c < 'a' || c > 'z') return 0;
        key = key * 27 + static_cast<std::uint32_t>(c - 'a' + 1);
    }
    return key;
}

}  // namespace

SyllableSet::SyllableSet(const StringList& list) {
    std::vector<std::uint32_t> keys;
    for (const StringNode* node = list.head; node != nullptr; node = node->next) {
        empty_ = false;
        if (const std::uint32_t key = SyllableKey(NarrowString(node->text).c_str())) keys.push_back(key);
    }
    // At most half full, so that a search meets an empty slot after a step or two.
    std::size_t slots = 16;
    shift_ = 28;
    while (slots < 2 * keys.size()) {
        slots *= 2;
        --shift_;
    }
    slots_.assign(slots, 0);
    for (const std::uint32_t key : keys) {
        std::size_t at = Slot(key);
        while (slots_[at] != 0 && slots_[at] != key) at = (at + 1) & (slots_.size() - 1);
        slots_[at] = key;
    }
}

// Fibonacci hashing: the top bits of the product depend on every letter of the syllable.
std::size_t SyllableSet::Slot(std::uint32_t key) const {
    return static_cast<std::uint32_t>(key * 2654435761u) >> shift_;
}

bool SyllableSet::Holds(std::string_view syllable) const {
    const std::uint32_t key = SyllableKey(syllable);
    if (key == 0) return false;
    for (std::size_t at = Slot(key); slots_[at] != 0; at = (at + 1) & (slots_.size() - 1))
        if (slots_[at] == key) return true;
    return false;
}

bool LooksLikePinyin(std::string_view reading) {
    std::size_t letters = reading.size();
    if (letters > 0 && reading.back() >= '1' && reading.back() <= '4') --letters;
    if (letters == 0 || letters > MaxSyllableLetters) return false;
    return std::all_of(reading.begin(), reading.begin() + static_cast<std::ptrdiff_t>(letters),
                       [](char c) { return c >= 'a' && c <= 'z'; });
}

bool IsTypableReading(std::string_view reading, const SyllableSet& syllables) {
    // The syllable's key already refuses anything but 1 to 6 letters a-z.
    const bool toned = !reading.empty() && reading.back() >= '1' && reading.back() <= '4';
    return syllables.Holds(reading.substr(0, reading.size() - (toned ? 1 : 0)));
}

FaultDetail CheckRecordReadings(const FileBytes& info, std::uint32_t offset, const SyllableSet& syllables,
                                std::string& reading) {
    // Weight, other form and display flag, then the number of readings.
    const std::size_t size = info.size();
    if (offset > size || size - offset < 6) return FaultDetail::EndsEarly;
    std::size_t at = offset + 5;
    const unsigned count = info[at++];
    if (count >= 4) return FaultDetail::TooManyReadings;
    for (unsigned k = 0; k < count; ++k) {
        if (at >= size) return FaultDetail::EndsEarly;
        const std::size_t length = info[at++];
        if (size - at < length) return FaultDetail::EndsEarly;
        // The first word of the revealed text, as the trainer reads it: up to a zero byte, leading
        // white space skipped, then everything up to the next white space.
        std::size_t i = at;
        const std::size_t end = at + length;
        at = end;
        while (i < end && info[i] != 0 && IsSpace(ScrambleByte(info[i]))) ++i;
        char word[255];
        std::size_t letters = 0;
        for (; i < end && info[i] != 0 && letters < sizeof word; ++i) {
            const unsigned char c = ScrambleByte(info[i]);
            if (IsSpace(c)) break;
            word[letters++] = static_cast<char>(c);
        }
        // A text without a reading word is no reading; the trainer leaves it out.
        if (letters == 0) continue;
        // Without a list (the database loaded on its own, before any syllables) only the record's
        // shape is checked.
        if (!syllables.Empty() && !IsTypableReading({word, letters}, syllables)) {
            reading.assign(word, letters);
            return FaultDetail::ReadingNotSyllable;
        }
    }
    reading.clear();
    return FaultDetail::None;
}

int CheckDatabaseFits(const FileBytes& info) {
    // Eight thousand different characters, each with its record: a code named twice leaves the
    // list a character short, and the fresh learning queue with a gap.
    std::bitset<65536> seen;
    for (int rank = 0; rank < FrequencyCount; ++rank) {
        const CharCode code = App.FreqList[rank];
        if (seen[code])
            return FailOnFile(StepFrequencyTwice, ContentFault(FaultKind::Damaged, App.Files.Frequency.c_str(),
                                                               FaultDetail::CodeTwice, code));
        seen[code] = true;
    }
    const SyllableSet syllables(App.SyllableList);
    std::string reading;
    for (int rank = 0; rank < FrequencyCount; ++rank) {
        const CharCode code = App.FreqList[rank];
        const FaultDetail detail = CheckRecordReadings(info, App.InfoOffset[code], syllables, reading);
        if (detail == FaultDetail::None) continue;
        if (detail != FaultDetail::ReadingNotSyllable)
            return FailOnFile(StepRecordReadingsDamaged,
                              ContentFault(FaultKind::Damaged, App.Files.Info.c_str(), detail, code));
        // A reading of the usual form that the list lacks: the two files do not fit. Anything else
        // is no reading at all, and the character file is damaged.
        if (!LooksLikePinyin(reading))
            return FailOnFile(StepReadingNotSyllable,
                              ContentFault(FaultKind::Damaged, App.Files.Info.c_str(), detail, code, reading));
        FileFault fault = ContentFault(FaultKind::Mismatch, App.Files.Pinyin.c_str(), detail, code, reading);
        fault.otherFile = App.Files.Info.c_str();
        return FailOnFile(StepReadingNotSyllable, fault);
    }
    return 1;
}
