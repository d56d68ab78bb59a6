// Choosing each character's example words and the order of the word file that shows them.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct ExampleCandidate {
    std::u32string word;
    std::string text;  // "<reading> translation": a character never shows the same text twice
    // A word Taiwan also writes otherwise (自行車 beside 腳踏車): among a character's most frequent
    // words it stands, but no other place is kept for it.
    bool frontOnly = false;
};

// The trainer shows, for a character, the first `perCharacter` words of the file that hold it.
// Going down the candidates (most useful first), the first half of each taught character's
// examples are its most frequent words; the second half go to words no other character shows, so
// that a character's everyday words are not all pushed out by words the learner meets under their
// other characters (同事 beside 同時 and 事情). A word becomes an example of every character of it
// whose first half has room, else of the one of them with the fewest examples whose second half has
// room (unless frontOnly); it never shows a character the same text twice. The file puts each word after the
// examples of every character it holds and is no example of, so that it only fills the room that
// character leaves. Returns the chosen candidates' positions in file order.
std::vector<std::size_t> ChooseExamples(const std::vector<ExampleCandidate>& candidates,
                                        const std::function<bool(char32_t)>& taught, std::size_t perCharacter);
