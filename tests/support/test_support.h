// Test helpers: a fresh temporary folder that the test changes into, and a writer for every file
// the program reads, so that a test stands up a database in a few lines.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data/strings.h"

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

// Little-endian 16-bit value, as every file of the program stores its numbers.
inline void Append16(Bytes& out, std::uint32_t v) { out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }

// Each unit's low byte, up to the kept length.
inline std::string LowBytes(const WideString& text) {
    std::string out;
    for (std::size_t i = 0; i < text.length(); ++i) out += static_cast<char>(text[i] & 0xFF);
    return out;
}

// The units in decimal, each followed by a blank.
inline std::string Units(const WideString& text) {
    std::string out;
    for (std::size_t i = 0; i < text.length(); ++i) out += std::to_string(text[i]) + " ";
    return out;
}

// A fresh temporary folder, changed into and removed again; program state and seams reset
// (answers No, no save pause, real clock).
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

struct TestChar {
    std::uint16_t code = 0;
    std::int16_t weight = 1;
    std::uint16_t otherForm = 0;       // 0 = both forms alike
    std::uint8_t showBoth = 0;
    std::vector<std::string> readings; // plain texts "ma1 mother", scrambled when written
    std::vector<std::uint8_t> glyph;   // 72 bytes; empty = no glyph entry in cbfcon
};

struct TestWord {
    std::vector<std::uint16_t> word;
    std::string text;                  // plain "<ni3 hao3> hello", scrambled when written
};

// Builds the database files. AddChar's characters come first in `index`, in order; Write() fills
// it up to 8000 codes with fillers (reading "ma1 filler", weight 1, a glyph) from 0x5000 on.
// A returned reference stays valid until the next Add.
class TestDatabase {
public:
    TestDatabase();  // default syllables: a handful including "ma", "ni", "hao", "de", "le"
    TestChar& AddChar(std::uint16_t code, std::vector<std::string> readings);
    // A record in cif without a place in `index`.
    TestChar& AddUnrankedChar(std::uint16_t code, std::vector<std::string> readings);
    void AddWord(std::vector<std::uint16_t> word, std::string text) { words.push_back({std::move(word), std::move(text)}); }
    void SetSyllables(std::vector<std::string> list) { syllables = std::move(list); }

    // Writes cbfcon, cbf, cifcon, cif, index, pinyin, wtf and an empty sf04 into the current folder.
    void Write() const;

    std::vector<TestChar> ranked;
    std::vector<TestChar> unranked;
    std::vector<TestWord> words;
    std::vector<std::string> syllables;
    bool addReadingSyllables = true;  // the syllables of the readings join the list when written
};

Bytes ReadFileBytes(const std::string& name);
void WriteFileBytes(const std::string& name, const Bytes& bytes);
std::string ReadFileText(const std::string& name);
Lines LogLines();  // of "log.txt", without their line ends
int ModeOf(const std::string& path);  // the permission bits, -1 when missing

// Sets the clock seam to a local date and time (until the next TestFolder).
void SetLocalNow(int year, int month, int day, int hour = 12, int minute = 0, int second = 0);

// Each question to the learner is recorded and pops the next scripted answer; an empty script
// answers No (or OK for a notice).
void ScriptAnswers(std::vector<int> answers);
struct AskedQuestion {
    std::string text;
    std::string caption;
    int buttons;
    int owned = 0;  // 1 when the question was owned by the main window
};
const std::vector<AskedQuestion>& AskedQuestions();
