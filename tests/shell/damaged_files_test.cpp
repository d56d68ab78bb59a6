// Damaged, outsized and mismatched files, one group a file: each stops the start with its chain of
// step codes and one message that names the file, says what is wrong and what to do, and nothing is
// written.
#include <filesystem>
#include <functional>
#include <map>
#include <sys/stat.h>

#include "data/file_faults.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "tests/shell/shell_fixture.h"

namespace {

namespace fs = std::filesystem;

struct Damage {
    const char* label;
    std::function<void()> apply;
    Lines chain;                    // the log, innermost first
    std::vector<std::string> says;  // parts of the message after the fatal line
};

// Every file of the folder but the log, with its size and change time.
std::map<std::string, std::pair<std::uintmax_t, long long>> FolderState()
{
    std::map<std::string, std::pair<std::uintmax_t, long long>> state;
    for (const fs::directory_entry& entry : fs::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        if (name == "log.txt")
            continue;
        struct stat status {};
        lstat(name.c_str(), &status);
        state[name] = {static_cast<std::uintmax_t>(status.st_size),
                       static_cast<long long>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
    }
    return state;
}

void Truncate(const char* name, std::uintmax_t size) { fs::resize_file(name, size); }

void Poke(const char* name, std::size_t at, std::vector<std::uint8_t> bytes)
{
    Bytes content = ReadFileBytes(name);
    std::copy(bytes.begin(), bytes.end(), content.begin() + static_cast<std::ptrdiff_t>(at));
    WriteFileBytes(name, content);
}

class DamagedFile : public ShellTest {
protected:
    // A fresh database (and the learner file the case needs) for each case, the damage, then a
    // start that must fail as the case says.
    void Check(const std::vector<Damage>& cases, bool withLearnerFile = false)
    {
        for (const Damage& damage : cases) {
            SCOPED_TRACE(damage.label);
            for (const char* name : {"student.lumora", "log.txt", "pinyin", "wtf", "sf04"})
                fs::remove_all(name);
            ResetProgramState();
            StandUp();
            if (withLearnerFile)
                MakeLearnerFile();
            damage.apply();
            fs::remove("log.txt");
            const auto before = FolderState();
            const std::size_t asked = AskedQuestions().size();
            EXPECT_EQ(RunLumoraToAFailedStart(), 0);
            EXPECT_EQ(LogLines(), damage.chain);
            ASSERT_EQ(AskedQuestions().size(), asked + 1);
            const std::string& text = AskedQuestions().back().text;
            EXPECT_EQ(text.rfind("Fatal error: main window could not be created!\n\n", 0), 0u) << text;
            for (const std::string& part : damage.says)
                EXPECT_NE(text.find(part), std::string::npos) << "missing \"" << part << "\" in:\n" << text;
            EXPECT_EQ(FolderState(), before) << "nothing is written";
        }
    }

    // A learner file as a quit saves it: the fresh queue of the test database.
    static void MakeLearnerFile()
    {
        RunLumora([] { SendCommand(IDM_QUIT); });
        ResetProgramState();
        ASSERT_EQ(ReadFileBytes("student.lumora").size(), static_cast<std::size_t>(LearnerFileSize));
    }
};

const std::string Reinstall = "Reinstall Lumora, or rebuild its database, to replace it.";

TEST_F(DamagedFile, Pinyin)
{
    Check({
        {"too large", [] { Truncate("pinyin", PinyinLimit + 1); }, {"499", "2136", "2226", "3263"},
         {"The syllable list \"pinyin\" is too large: 1 MB, where at most 1 MB is expected.", Reinstall}},
        {"empty", [] { WriteFileBytes("pinyin", {}); }, {"497", "2136", "2226", "3263"},
         {"\"pinyin\" is not in the expected format: it holds no pinyin syllable", Reinstall}},
        {"a folder", [] { fs::remove("pinyin"); fs::create_directory("pinyin"); }, {"498", "2136", "2226", "3263"},
         {"\"pinyin\" cannot be read: Is a directory."}},
        {"cut short or random: a reading it lacks", [] { WriteFileBytes("pinyin", {'m', 'a', '\n', 'q', 'x'}); },
         {"481", "2144", "2226", "3263"},
         {"The syllable list \"pinyin\" and the character file \"cif\" do not fit together: the reading \"yi1\" of "
          "\xE4\xB8\x80 (U+4E00) is not in the syllable list.",
          Reinstall}},
    });
}

TEST_F(DamagedFile, Words)
{
    Check({
        {"too large", [] { Truncate("wtf", WordsLimit + 1); }, {"739", "2140", "2226", "3263"},
         {"The word list \"wtf\" is too large: 64 MB, where at most 64 MB is expected.", Reinstall}},
        // Two megabytes of zeros are a million empty records: no word file.
        {"zeros", [] { Truncate("wtf", 2 * MiB); }, {"740", "2140", "2226", "3263"},
         {"The word list \"wtf\" is not in the expected format", Reinstall}},
        {"a folder", [] { fs::remove("wtf"); fs::create_directory("wtf"); }, {"738", "2140", "2226", "3263"},
         {"The word list \"wtf\" cannot be read: Is a directory."}},
    });
}

// An empty or cut word file still starts: examples are optional.
TEST_F(DamagedFile, WordsEmptyOrCutShortStillStart)
{
    for (const std::uintmax_t size : {0, 3}) {
        ResetProgramState();
        TestDatabase database;
        database.AddChar(0x4E00, {"yi1 one"});
        database.AddWord({0x4E00, 0x4E00}, "<yi1 yi1> one by one");
        database.Write();
        Truncate("wtf", size);
        EXPECT_EQ(RunLumora([] { SendAbort(0); }), 1);
    }
}

TEST_F(DamagedFile, GlyphFiles)
{
    Check({
        {"cbfcon too large", [] { Truncate("cbfcon", GlyphIndexLimit + 1); }, {"442", "2144", "2226", "3263"},
         {"The glyph index \"cbfcon\" is too large: 4 MB, where at most 4 MB is expected.", Reinstall}},
        {"cbfcon cut short", [] { Truncate("cbfcon", 7); }, {"441", "2144", "2226", "3263"},
         {"The glyph index \"cbfcon\" is damaged: it ends in the middle of an entry.", Reinstall}},
        {"cbf too large", [] { Truncate("cbf", GlyphsLimit + 1); }, {"443", "2144", "2226", "3263"},
         {"The glyph file \"cbf\" is too large: 64 MB, where at most 64 MB is expected.", Reinstall}},
        {"cbf missing", [] { fs::remove("cbf"); }, {"440", "2144", "2226", "3263"},
         {"The glyph file \"cbf\" is missing.", Reinstall}},
    });
}

TEST_F(DamagedFile, InfoFiles)
{
    // The first record of cif: two bytes of padding, weight, other form, flag, count, then the
    // length and hidden text of "yi1 one".
    Check({
        {"cifcon too large", [] { Truncate("cifcon", InfoIndexLimit + 1); }, {"456", "2144", "2226", "3263"},
         {"The character index \"cifcon\" is too large: 4 MB", Reinstall}},
        {"cifcon cut short", [] { Truncate("cifcon", 7); }, {"454", "2144", "2226", "3263"},
         {"The character index \"cifcon\" is damaged: it ends in the middle of an entry."}},
        {"cif too large", [] { Truncate("cif", InfoLimit + 1); }, {"457", "2144", "2226", "3263"},
         {"The character file \"cif\" is too large: 64 MB, where at most 64 MB is expected.", Reinstall}},
        {"cif cut inside the first record head", [] { Truncate("cif", 5); }, {"455", "2144", "2226", "3263"},
         {"The character file \"cif\" is damaged"}},
        {"four readings", [] { Poke("cif", 7, {4}); }, {"482", "2144", "2226", "3263"},
         {"The character file \"cif\" is damaged: the record of \xE4\xB8\x80 (U+4E00) names more than three readings.",
          Reinstall}},
        {"first bytes of a reading flipped", [] { Poke("cif", 9, {0xFF, 0xFE}); }, {"481", "2144", "2226", "3263"},
         {"The character file \"cif\" is damaged: the reading \"", "of \xE4\xB8\x80 (U+4E00) is not pinyin."}},
    });
}

TEST_F(DamagedFile, FrequencyList)
{
    Check({
        {"too large", [] { Truncate("index", FrequencyLimit + 1); }, {"472", "2144", "2226", "3263"},
         {"The frequency list \"index\" is too large", Reinstall}},
        {"cut short", [] { Truncate("index", 100); }, {"471", "2144", "2226", "3263"},
         {"The frequency list \"index\" is damaged: it ends in the middle of an entry.", Reinstall}},
        {"a character twice", [] { Poke("index", 4, {0x00, 0x4E}); }, {"473", "2144", "2226", "3263"},
         {"The frequency list \"index\" is damaged: it names \xE4\xB8\x80 (U+4E00) twice.", Reinstall}},
        {"a character without a record", [] { Poke("index", 2, {0x01, 0x34}); }, {"480", "2144", "2226", "3263"},
         {"The frequency list \"index\" and the character index \"cifcon\" do not fit together: the frequency list "
          "names \xE3\x90\x81 (U+3401), which has no record.",
          Reinstall}},
    });
}

TEST_F(DamagedFile, Settings)
{
    const std::string todo = "Delete it and put an empty file named sf04 in its place: Lumora then starts with "
                             "default settings.";
    Check({
        {"too large", [] { Truncate("sf04", SettingsLimit + 1); }, {"518", "2147", "2226", "3263"},
         {"The settings file \"sf04\" is too large: 64 KB, where at most 64 KB is expected.", todo}},
        {"a folder", [] { fs::remove("sf04"); fs::create_directory("sf04"); }, {"517", "2147", "2226", "3263"},
         {"The settings file \"sf04\" cannot be read: Is a directory.", todo}},
        {"a link to itself", [] { fs::remove("sf04"); fs::create_symlink("sf04", "sf04"); }, {"517", "2147", "2226", "3263"},
         {"The settings file \"sf04\" cannot be read: Too many levels of symbolic links.", todo}},
        {"missing", [] { fs::remove("sf04"); }, {"517", "2147", "2226", "3263"},
         {"The settings file \"sf04\" is missing.", "Put an empty file named sf04 there"}},
    });
}

TEST_F(DamagedFile, LearnerFileWithoutABackup)
{
    const std::string left = "Lumora leaves the file as it is, and found no backup of your records that it can load.";
    Check(
        {
            {"cut short", [] { Truncate("student.lumora", 1000); }, {"691", "2150", "2226", "3263"},
             {"Your records file \"student.lumora\" is damaged: it holds 1,000 bytes, where Lumora's records take "
              "564,282.",
              left}},
            {"empty", [] { Truncate("student.lumora", 0); }, {"691", "2150", "2226", "3263"},
             {"Your records file \"student.lumora\" is damaged: it is empty.", left}},
            {"a wrong stamp", [] { Poke("student.lumora", 0, {0x12, 0x34}); }, {"691", "2150", "2226", "3263"},
             {"\"student.lumora\" is not in the expected format: it does not begin as Lumora's records do.", left}},
            {"a broken queue", [] { Poke("student.lumora", 2 + 8 * 0x5000, {1, 0}); },
             {"369", "721", "2150", "2226", "3263"},
             {"\"student.lumora\" is damaged: the order of its learning queue is broken.", left}},
            {"too large", [] { Truncate("student.lumora", LearnerLimit + 1); }, {"693", "2150", "2226", "3263"},
             {"\"student.lumora\" is too large: 16 MB, where at most 16 MB is expected.", left}},
            {"a folder", [] { fs::remove("student.lumora"); fs::create_directory("student.lumora"); },
             {"692", "2150", "2226", "3263"},
             {"Your records file \"student.lumora\" cannot be read: Is a directory.",
              "Lumora leaves the file as it is. Make it readable, then start Lumora again."}},
        },
        true);
}

// Bytes past the records load as before; the first save keeps the file aside whole and says so once.
TEST_F(DamagedFile, ALongerLearnerFileIsKeptAsideWholeBeforeTheFirstSave)
{
    MakeLearnerFile();
    Bytes longer = ReadFileBytes("student.lumora");
    longer.push_back('x');
    WriteFileBytes("student.lumora", longer);
    SetLocalNow(2026, 12, 7);
    EXPECT_EQ(RunLumora([] {
                  EXPECT_TRUE(AskedQuestions().empty()) << "the start itself says nothing";
                  EXPECT_EQ(SaveData(), 1);
                  EXPECT_EQ(SaveData(), 1);
                  SendAbort(0);
              }),
              1);
    EXPECT_EQ(ReadFileBytes("student.lumora.longer-2026-12-07"), longer) << "kept whole";
    EXPECT_EQ(ReadFileBytes("student.lumora").size(), static_cast<std::size_t>(LearnerFileSize));
    ASSERT_EQ(AskedQuestions().size(), 1u) << "told once";
    EXPECT_NE(AskedQuestions()[0].text.find("as \"student.lumora.longer-2026-12-07\" beside it"), std::string::npos)
        << AskedQuestions()[0].text;

    // A copy of that name already there is never written over.
    WriteFileBytes("student.lumora", longer);
    ResetProgramState();
    EXPECT_EQ(RunLumora([] {
                  SaveData();
                  SendAbort(0);
              }),
              1);
    EXPECT_EQ(ReadFileBytes("student.lumora.longer-2026-12-07-2"), longer);
}

}  // namespace
