// Saving where it is hard: links, modes, folders that allow no new file, leftovers, a full disk,
// and learner files that exist but cannot be read. The learner's records are never lost in silence.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "data/file_faults.h"
#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "data/settings.h"
#include "data/word_lists.h"
#include "tests/data/data_test_helpers.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

// Records that differ from an empty file in a way a test can see.
void MarkRecords(int good) {
    App.CharTable[0x4E00] = {1, static_cast<std::uint16_t>(good), 0, 0, 0, 0};
    App.QueueLength = 1;
}

// Runs as the user "nobody" while it lives, when the test runs as root; a test that needs the
// permission checks skips cleanly where that is impossible.
class AsOtherUser {
public:
    AsOtherUser() : switched_(geteuid() == 0 && setegid(65534) == 0 && seteuid(65534) == 0) {}
    ~AsOtherUser() {
        if (switched_ && seteuid(0) == 0) setegid(0);
    }
    bool switched() const { return switched_; }

private:
    bool switched_;
};

// A folder the test's user may not write to, under the temporary folder, holding files it may.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::vector<std::string>& files) {
        std::string pattern = (fs::temp_directory_path() / "lumora-readonly-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
        for (const std::string& name : files) {
            WriteFileBytes(path_ + "/" + name, {});
            chmod((path_ + "/" + name).c_str(), 0666);
        }
        // Root's folder is closed to "nobody" by mode 0755; another user's by 0555.
        chmod(path_.c_str(), geteuid() == 0 ? 0755 : 0555);
    }
    ~ReadOnlyFolder() {
        chmod(path_.c_str(), 0755);
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

TEST(SaveData, WritesThroughLinksKeepingModesAndPassesLeftovers) {
    TestFolder folder;
    fs::create_directory("real");
    WriteFileBytes("real/student.lumora", {1, 2, 3});
    fs::create_symlink("real/student.lumora", "student.lumora");
    fs::create_symlink("real/sf04", "sf04");  // dangling: the save creates its target
    chmod("real/student.lumora", 0600);
    fs::create_directory("real/student.lumora.tmp");  // left by something else; never in the way
    MarkRecords(5);

    EXPECT_EQ(SaveData(), 1);
    EXPECT_TRUE(fs::is_symlink("student.lumora"));
    EXPECT_TRUE(fs::is_symlink("sf04"));
    EXPECT_EQ(ReadFileBytes("real/student.lumora"), LearnerFileBytes());
    EXPECT_EQ(ReadFileBytes("real/sf04").size(), 8u);
    EXPECT_EQ(ModeOf("real/student.lumora"), 0600);
    EXPECT_TRUE(fs::is_directory("real/student.lumora.tmp"));
    int files = 0;
    for (const auto& entry : fs::directory_iterator("real")) files += entry.is_regular_file();
    EXPECT_EQ(files, 2) << "no temporary file is left behind";

    // A plain file keeps its own mode too, and a first save gets the usual one.
    fs::remove("student.lumora");
    fs::remove("sf04");
    WriteFileBytes("student.lumora", {});
    chmod("student.lumora", 0640);
    const mode_t mask = umask(022);
    EXPECT_EQ(SaveData(), 1);
    umask(mask);
    EXPECT_EQ(ModeOf("student.lumora"), 0640);
    EXPECT_EQ(ModeOf("sf04"), 0644);
    EXPECT_TRUE(AskedQuestions().empty());
}

TEST(SaveData, AFullDiskKeepsTheOldFilesAndTellsTheLearnerOnce) {
    TestFolder folder;
    MarkRecords(1);
    ASSERT_EQ(SaveData(), 1);
    const Bytes learner = ReadFileBytes("student.lumora");
    const Bytes settings = ReadFileBytes("sf04");

    MarkRecords(2);
    App.DisplayOptions = 3;
    SaveFailAfterBytes = 5;
    EXPECT_EQ(SaveData(), 0);
    EXPECT_EQ(ReadFileBytes("student.lumora"), learner);
    EXPECT_EQ(ReadFileBytes("sf04"), settings);
    EXPECT_EQ(LogLines(), (Lines{std::to_string(StepSettingsNotSaved), std::to_string(StepLearnerNotSaved)}));
    ASSERT_EQ(AskedQuestions().size(), 1u);
    const std::string& text = AskedQuestions()[0].text;
    EXPECT_NE(text.find("sf04: No space left on device"), std::string::npos) << text;
    EXPECT_NE(text.find("student.lumora: No space left on device"), std::string::npos) << text;
    EXPECT_EQ(AskedQuestions()[0].buttons, AskOk);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(".")) files += entry.path().filename().string().find(".tmp") != std::string::npos;
    EXPECT_EQ(files, 0);
}

// A save with nothing new leaves both files alone (not even a full disk is noticed); a changed record
// of the same size, a file changed behind the program's back or a missing one is written again.
TEST(SaveData, WritesOnlyWhatDiffersFromTheFiles) {
    TestFolder folder;
    MarkRecords(1);
    ASSERT_EQ(SaveData(), 1);
    struct stat before;
    ASSERT_EQ(stat("student.lumora", &before), 0);
    SaveFailAfterBytes = 0;
    EXPECT_EQ(SaveData(), 1);
    EXPECT_TRUE(AskedQuestions().empty());
    SaveFailAfterBytes = -1;
    struct stat after;
    ASSERT_EQ(stat("student.lumora", &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the unchanged file was not replaced";

    MarkRecords(2);
    ASSERT_EQ(SaveData(), 1);
    const Bytes saved = ReadFileBytes("student.lumora");
    EXPECT_EQ(saved[2 + 8 * 0x4E00 + 2], 2);
    Bytes tampered = saved;
    tampered[2 + 8 * 0x4E00 + 2] = 7;
    WriteFileBytes("student.lumora", tampered);
    ASSERT_EQ(SaveData(), 1);
    EXPECT_EQ(ReadFileBytes("student.lumora"), saved);
    std::remove("student.lumora");
    std::remove("sf04");
    ASSERT_EQ(SaveData(), 1);
    EXPECT_EQ(ReadFileBytes("student.lumora"), saved);
    EXPECT_FALSE(ReadFileBytes("sf04").empty());
}

// At quit a failed save asks: Yes tries again, No quits without saving.
TEST(SaveData, AtQuitTheLearnerChoosesToRetryOrToQuitWithoutSaving) {
    TestFolder folder;
    MarkRecords(1);
    ASSERT_EQ(SaveData(), 1);
    const Bytes old = ReadFileBytes("student.lumora");
    MarkRecords(2);

    SaveFailAfterBytes = 0;
    ScriptAnswers({AnswerNo});
    EXPECT_EQ(SaveDataAtQuit(), 0);
    EXPECT_EQ(ReadFileBytes("student.lumora"), old);
    ASSERT_EQ(AskedQuestions().size(), 1u);
    EXPECT_EQ(AskedQuestions()[0].buttons, AskYesNo);
    EXPECT_NE(AskedQuestions()[0].text.find("Try again?"), std::string::npos);
    EXPECT_EQ(LogLines().back(), std::to_string(StepQuitWithoutSaving));

    // The disk has room again by the time the learner answers Yes.
    static bool cleared;
    cleared = false;
    AskLearner = [](const char*, const char*, int, int) {
        SaveFailAfterBytes = -1;
        cleared = true;
        return AnswerYes;
    };
    SaveFailAfterBytes = 0;
    EXPECT_EQ(SaveDataAtQuit(), 1);
    EXPECT_TRUE(cleared);
    EXPECT_EQ(ReadFileBytes("student.lumora"), LearnerFileBytes());
}

TEST(SaveData, AFolderThatAllowsNoNewFileIsSavedInPlace) {
    TestFolder folder;
    ReadOnlyFolder readOnly({"student.lumora", "sf04"});
    ASSERT_FALSE(readOnly.path().empty());
    fs::current_path(readOnly.path());
    MarkRecords(9);
    App.DisplayOptions = 1;
    int result = 0;
    {
        AsOtherUser other;
        if (geteuid() == 0) GTEST_SKIP() << "cannot drop root's privileges here";
        result = SaveData();
    }
    fs::current_path(folder.path());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ReadFileBytes(readOnly.path() + "/student.lumora"), LearnerFileBytes());
    EXPECT_EQ(ReadFileBytes(readOnly.path() + "/sf04"), (Bytes{1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(AskedQuestions().empty());
}

// Only a missing learner file means a first start; one that cannot be read stops it with its fault
// kept for the message (a folder in its place: see the shell's learner file test).
TEST(LoadStudent, AFileThatCannotBeReadStopsTheStartUntouched) {
    TestFolder folder;
    ReadOnlyFolder readOnly({"student.lumora"});
    const std::string file = readOnly.path() + "/student.lumora";
    chmod(file.c_str(), 0);
    App.Files.Learner = file.c_str();
    int loaded = 1;
    {
        AsOtherUser other;
        if (geteuid() == 0) GTEST_SKIP() << "cannot drop root's privileges here";
        loaded = LoadStudent();
    }
    EXPECT_EQ(loaded, 0);
    EXPECT_EQ(LastFileFault.kind, FaultKind::Unreadable);
    EXPECT_EQ(LastFileFault.error, EACCES);
    EXPECT_EQ(App.QueueLength, 0) << "no fresh queue";
}

// A folder where a data file belongs is no empty file: the loader fails as for a missing one.
TEST(LoadPinyinList, AFolderInPlaceOfTheFileCountsAsMissing) {
    TestFolder folder;
    fs::create_directory("pinyin");
    EXPECT_EQ(LoadPinyinList(), 0);
    EXPECT_EQ(LogLines(), (Lines{"498"}));
}
