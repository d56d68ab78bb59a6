#include "words.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "meaning.h"
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
const char* const kSlangMarks[] = {"(slang)", "(internet slang)", "(derog.)", "(euphemism)", "(pejorative)",
                                   "euphemism for", "slang for"};
const char* const kCoarseWords[] = {"fuck", "fucking", "cunt", "pussy", "whore",
                                    "slut", "bitch", "bastard", "asshole", "wtf", "shit", "jerk-off", "wank",
                                    "bullshit", "tits", "motherfucker", "dickhead", "cocksucker", "retard",
                                    "goddamn", "damned", "damn", "piss", "crap"};
const char* const kSexualWords[] = {"penis", "vagina", "testicle", "prostitute", "prostitution", "genitals", "sexual intercourse",
                                    "have sex", "sex with", "cunnilingus", "anilingus", "fellatio", "masturbate", "masturbation", "orgasm", "ejaculate", "ejaculation"};

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

std::set<std::u32string> MainlandForms(const std::map<std::u32string, std::vector<std::u32string>>& table,
                                       const std::function<double(const std::u32string&)>& taiwanShare,
                                       const std::function<double(const std::u32string&)>& runningShare) {
    auto preference = [&](const std::u32string& w) {
        double running = runningShare(w);
        return running > 0 ? taiwanShare(w) / running : 0.0;
    };
    std::set<std::u32string> forms;
    for (const auto& [word, taiwan] : table) {
        if (std::find(taiwan.begin(), taiwan.end(), word) != taiwan.end()) continue;
        const std::u32string* most = nullptr;
        for (const std::u32string& t : taiwan) {
            if (!most || taiwanShare(t) > taiwanShare(*most)) most = &t;
        }
        bool heldToo = most && taiwanShare(*most) > 0 && taiwanShare(word) >= 0.1 * taiwanShare(*most) &&
                       preference(word) >= 0.2 * preference(*most);
        if (!heldToo) forms.insert(word);
    }
    return forms;
}

double ExampleFrequency(double runningShare, double taiwanShare) {
    if (runningShare <= 0) return taiwanShare / 25;
    double factor = std::sqrt(taiwanShare / runningShare);
    return runningShare * std::clamp(factor, 0.2, 5.0);
}

std::u32string StandardSpelling(const CedictEntry& entry, const std::map<std::u32string, std::vector<const CedictEntry*>>& words) {
    if (entry.senses.empty() || !StartsWith(Lower(entry.senses.front()), "variant of ")) return entry.traditional;
    const std::string& sense = entry.senses.front();
    std::size_t open = sense.find('[');
    std::size_t close = sense.find(']', open);
    if (open == std::string::npos || close == std::string::npos) return entry.traditional;
    std::string named = sense.substr(11, open - 11);
    std::vector<char32_t> codes = DecodeUtf8(named.substr(0, named.find('|')));
    std::u32string other(codes.begin(), codes.end());
    std::string reading = Lower(sense.substr(open + 1, close - open - 1));
    auto theirs = words.find(other);
    if (other.size() != entry.traditional.size() || other == entry.traditional || theirs == words.end() ||
        reading != Lower(entry.pinyin))
        return entry.traditional;
    return other;
}

bool IsSpecialist(const std::vector<std::string>& senses) {
    static const char* const kFields[] = {
        "(computing)", "(math.)", "(mathematics)", "(chemistry)", "(botany)", "(zoology)", "(anatomy)", "(medicine)",
        "(tcm)", "(military)", "(buddhism)", "(geology)", "(physics)", "(biology)", "(finance)", "(law)",
        "(linguistics)", "(pharmacology)", "(physiology)", "(meteorology)", "(economics)", "(electronics)",
        "(astronomy)", "(biochemistry)", "(agriculture)", "(statistics)", "(geometry)", "(taoism)", "(music)",
        "(old)", "(archaic)", "(literary)", "(classical)", "(dialect)", "(cantonese)", "bird species of china",
        "(in ancient china)", "(in imperial china)"};
    if (senses.empty()) return false;
    std::string lower = Lower(senses.front());
    return std::any_of(std::begin(kFields), std::end(kFields), [&](const char* f) { return lower.find(f) != std::string::npos; });
}

bool MarkedForTaiwan(const std::vector<std::string>& senses) {
    return std::any_of(senses.begin(), senses.end(), [](std::string s) {
        return s.find("(Tw") != std::string::npos || s.find("(in Taiwan") != std::string::npos || TakeTaiwanLabel(s);
    });
}

bool OnlyUsedIn(const std::vector<std::string>& senses) {
    return std::all_of(senses.begin(), senses.end(), [](const std::string& s) {
        std::string lower = Lower(s);
        return StartsWith(lower, "(used in") || StartsWith(lower, "used in") || StartsWith(lower, "see ") ||
               StartsWith(lower, "see also");
    });
}

namespace {

// Senses that name another entry instead of giving a meaning.
bool ReferenceOnly(const std::string& sense) {
    std::string lower = Lower(sense);
    return StartsWith(lower, "see ") || StartsWith(lower, "see also") || StartsWith(lower, "variant of") ||
           StartsWith(lower, "old variant of") || StartsWith(lower, "abbr. for") || StartsWith(lower, "used in");
}

std::size_t OwnSenses(const CedictEntry& e) {
    return static_cast<std::size_t>(std::count_if(e.senses.begin(), e.senses.end(), [](const std::string& s) { return !ReferenceOnly(s); }));
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
        // An entry that names others before one of its own (老公 "husband", not "eunuch; see also
        // 老公"); then the one with the most senses of its own, the word's everyday use.
        bool bestOwn = OwnSenses(*best) > 0 && !ReferenceOnly(best->senses.front()), own = OwnSenses(*e) > 0 && !ReferenceOnly(e->senses.front());
        if (bestOwn != own) {
            if (own) best = e;
            continue;
        }
        bool bestSees = OwnSenses(*best) < best->senses.size(), sees = OwnSenses(*e) < e->senses.size();
        if (bestSees != sees) {
            if (!sees) best = e;
            continue;
        }
        if (OwnSenses(*e) > OwnSenses(*best)) best = e;
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
            if (i < 2 && HasWord(lower, word)) return true;
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
