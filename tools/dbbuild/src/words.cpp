#include "words.h"

#include <algorithm>
#include <cctype>

#include "pinyin.h"
#include "text.h"

namespace {

bool Proper(const CedictEntry& e) { return !e.pinyin.empty() && e.pinyin[0] >= 'A' && e.pinyin[0] <= 'Z'; }

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Markers and words that make a sense unfit for a learner's examples. Whole words only, so that
// "scunthorpe" or "assess" stay innocent.
const char* const kCoarseMarks[] = {"(vulgar)", "(offensive)", "(coarse)", "(obscene)", "(profanity)"};
const char* const kSlangMarks[] = {"(slang)", "(internet slang)", "(derog.)", "(euphemism)", "(pejorative)"};
const char* const kCoarseWords[] = {"fuck", "fucking", "cunt", "pussy", "whore",
                                    "slut", "bitch", "bastard", "asshole", "wtf", "shit", "jerk-off", "wank",
                                    "bullshit", "tits", "motherfucker", "dickhead", "cocksucker", "retard",
                                    "goddamn", "damned", "damn", "piss", "crap"};
const char* const kSexualWords[] = {"penis", "vagina", "testicle", "prostitute", "genitals", "sexual intercourse",
                                    "have sex", "sex with"};

bool HasWord(const std::string& lower, std::string_view word) {
    for (std::size_t at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
        bool startOk = at == 0 || !std::isalpha(static_cast<unsigned char>(lower[at - 1]));
        std::size_t end = at + word.size();
        bool endOk = end >= lower.size() || !std::isalpha(static_cast<unsigned char>(lower[end])) ||
                     (lower[end] == 's' && (end + 1 >= lower.size() || !std::isalpha(static_cast<unsigned char>(lower[end + 1]))));
        if (startOk && endOk) return true;
    }
    return false;
}

bool Sexual(const std::string& lower) {
    for (const char* word : kSexualWords) {
        if (HasWord(lower, word)) return true;
    }
    return false;
}

}  // namespace

const CedictEntry* ChooseEntry(const std::vector<const CedictEntry*>& entries) {
    const CedictEntry* best = nullptr;
    for (const CedictEntry* e : entries) {
        if (!best) {
            best = e;
            continue;
        }
        if (Proper(*best) != Proper(*e)) {
            if (Proper(*best)) best = e;
            continue;
        }
        // 卵子 "ovum" before its slang entry "testicles".
        bool bestUnfit = IsUnfitSense(best->senses.front()), unfit = IsUnfitSense(e->senses.front());
        if (bestUnfit != unfit) {
            if (bestUnfit) best = e;
            continue;
        }
        if (e->senses.size() > best->senses.size()) best = e;
    }
    return best;
}

bool IsCoarse(const std::vector<std::string>& senses) {
    for (std::size_t i = 0; i < senses.size(); ++i) {
        std::string lower = Lower(senses[i]);
        for (const char* mark : kCoarseMarks) {
            if (lower.find(mark) != std::string::npos) return true;
        }
        for (const char* word : kCoarseWords) {
            if (HasWord(lower, word)) return true;
        }
        for (const char* mark : kSlangMarks) {
            if (i == 0 && lower.find(mark) != std::string::npos) return true;
        }
        // A word whose main sense is sexual (雞雞) is no example for the characters' everyday senses.
        if (i == 0 && Sexual(lower)) return true;
    }
    return false;
}

bool IsUnfitSense(const std::string& sense) { return Sexual(Lower(sense)) || HasCoarseMark(sense); }

bool HasCoarseMark(const std::string& text) {
    std::string lower = Lower(text);
    for (const char* mark : kSlangMarks) {
        if (lower.find(mark) != std::string::npos) return true;
    }
    for (const char* mark : kCoarseMarks) {
        if (lower.find(mark) != std::string::npos) return true;
    }
    for (const char* word : kCoarseWords) {
        if (HasWord(lower, word)) return true;
    }
    return false;
}

std::vector<std::string> ReadingsOf(const std::vector<std::string>& texts) {
    std::vector<std::string> readings;
    for (const std::string& t : texts) readings.push_back(t.substr(0, t.find(' ')));
    return readings;
}

bool ReadingAgrees(std::string_view syllable, char32_t character, const std::vector<std::string>& readings) {
    if (syllable == "r") return character == U'兒';
    bool neutral = syllable.empty() || !std::isdigit(static_cast<unsigned char>(syllable.back()));
    for (const std::string& r : readings) {
        if (r == syllable) return true;
        if (neutral && SyllableOf(r) == syllable) return true;
    }
    return false;
}
