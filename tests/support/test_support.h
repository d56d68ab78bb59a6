// Test helpers: a fresh temporary folder that the test changes into, and a writer for every file
// the program reads, so that a test stands up a database in a few lines.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Creates a fresh temporary folder, changes into it, and on destruction changes back and removes it.
// Also resets the program state and the seams (answers No, no save pause, real clock).
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

// Builds the database files. Characters added by AddChar come first in `index`, in the order added;
// Write() fills `index` up to 8000 distinct codes with filler characters (one reading "ma1 filler",
// weight 1, a glyph) starting at code 0x5000 and skipping codes already used.
// AddChar and AddUnrankedChar return a reference that stays valid until the next Add.
class TestDatabase {
public:
    TestDatabase();  // default syllables: a handful including "ma", "ni", "hao", "de", "le"
    TestChar& AddChar(std::uint16_t code, std::vector<std::string> readings);
    // A record in cif without a place in `index`.
    TestChar& AddUnrankedChar(std::uint16_t code, std::vector<std::string> readings);
    void AddWord(std::vector<std::uint16_t> word, std::string text);
    void SetSyllables(std::vector<std::string> syllables);

    // Writes cbfcon, cbf, cifcon, cif, index, pinyin, wtf and an empty sf04 into the current folder.
    void Write() const;

    std::vector<TestChar> ranked;
    std::vector<TestChar> unranked;
    std::vector<TestWord> words;
    std::vector<std::string> syllables;
};

// Whole-file helpers.
std::vector<std::uint8_t> ReadFileBytes(const std::string& name);
void WriteFileBytes(const std::string& name, const std::vector<std::uint8_t>& bytes);
std::string ReadFileText(const std::string& name);
// The lines of "log.txt" without their line ends.
std::vector<std::string> LogLines();

// Sets the clock seam to a local date and time (until the next TestFolder).
void SetLocalNow(int year, int month, int day, int hour = 12, int minute = 0, int second = 0);

// Scripted answers for questions to the learner: each question pops the next answer
// (AnswerYes, AnswerNo, AnswerOk); an empty script answers No (or OK for a notice). Every question
// is recorded with its text and caption.
void ScriptAnswers(std::vector<int> answers);
struct AskedQuestion {
    std::string text;
    std::string caption;
    int buttons;
    int owned = 0;  // 1 when the question was owned by the main window
};
const std::vector<AskedQuestion>& AskedQuestions();
