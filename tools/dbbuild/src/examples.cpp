#include "examples.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

struct Picks {
    std::vector<std::size_t> words;  // candidate positions, in the order they were chosen
    std::set<std::string> texts;     // of every chosen word that holds the character
};

}  // namespace

std::vector<std::size_t> ChooseExamples(const std::vector<ExampleCandidate>& candidates,
                                        const std::function<bool(char32_t)>& taught, std::size_t perCharacter) {
    const std::size_t front = perCharacter / 2;
    std::map<char32_t, Picks> picks;
    std::vector<std::size_t> chosen;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const ExampleCandidate& w = candidates[k];
        std::set<char32_t> chars;
        for (char32_t c : w.word) {
            if (taught(c)) chars.insert(c);
        }
        // A word that would show a character the same text twice is no example at all: wherever
        // it stands, that character may meet it.
        bool clash = std::any_of(chars.begin(), chars.end(), [&](char32_t c) { return picks[c].texts.count(w.text) > 0; });
        if (clash) continue;
        std::vector<char32_t> first, second;
        for (char32_t c : chars) {
            std::size_t n = picks[c].words.size();
            if (n < front) first.push_back(c);
            else if (n < perCharacter) second.push_back(c);
        }
        // The first half of a character's examples are its most frequent words. The second half go
        // to words that no other character shows: a word that is already in one character's first
        // half, or in another's second, stands after this character's examples.
        std::vector<char32_t> wanting = first;
        if (first.empty() && !second.empty() && !w.frontOnly) {
            char32_t emptiest = second.front();
            for (char32_t c : second) {
                if (picks[c].words.size() < picks[emptiest].words.size()) emptiest = c;
            }
            wanting.push_back(emptiest);
        }
        if (wanting.empty()) continue;
        chosen.push_back(k);
        for (char32_t c : wanting) picks[c].words.push_back(k);
        for (char32_t c : chars) picks[c].texts.insert(w.text);
    }
    // Each chosen word stands after the examples of every character that it holds and is no example
    // of, so that it only fills what room that character leaves; otherwise in the order of choice.
    // A circle of such waits (two words each an example of one of the same two characters) is
    // broken at its first word, which then shows among the other character's examples.
    std::map<std::size_t, std::vector<std::size_t>> before;  // word -> the words that must follow it
    std::map<std::size_t, std::size_t> waits;                // word -> how many words it still waits on
    for (std::size_t k : chosen) {
        std::set<char32_t> seen;
        for (char32_t c : candidates[k].word) {
            if (!taught(c) || !seen.insert(c).second) continue;
            const Picks& p = picks[c];
            if (std::find(p.words.begin(), p.words.end(), k) != p.words.end()) continue;
            for (std::size_t e : p.words) {
                before[e].push_back(k);
                ++waits[k];
            }
        }
    }
    std::set<std::size_t> ready, left(chosen.begin(), chosen.end());
    for (std::size_t k : chosen) {
        if (waits[k] == 0) ready.insert(k);
    }
    std::vector<std::size_t> order;
    while (!left.empty()) {
        std::size_t k = ready.empty() ? *left.begin() : *ready.begin();
        ready.erase(k);
        left.erase(k);
        order.push_back(k);
        for (std::size_t next : before[k]) {
            if (left.count(next) && --waits[next] == 0) ready.insert(next);
        }
    }
    return order;
}
