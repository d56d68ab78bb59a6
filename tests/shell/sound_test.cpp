// The sound of the running window: Speak greyed until a character is decided, the decided readings
// handed to the helper in row order and cut by the next character and by Quit, Sound off kept in
// its own file, and silence with one log line and no message box when recordings or a server lack.
// The helper is a stand-in script that keeps what it is told.
#include <QAction>
#include <QElapsedTimer>

#include <filesystem>
#include <fstream>

#include "data/program_state.h"
#include "data/zhuyin.h"
#include "shell/speech.h"
#include "tests/shell/shell_fixture.h"

namespace {

// Polls the event loop until the condition holds (the helper's pipe is written asynchronously);
// the limit only keeps a broken run from hanging.
template <typename Condition>
bool WaitUntil(Condition condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 20000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

int SoundLines()
{
    int count = 0;
    for (const std::string& line : LogLines()) count += line.rfind("sound: ", 0) == 0;
    return count;
}

class SoundTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        TestDatabase database;
        database.AddChar(0x4E00, {"ma1 mother", "ni3 you"});
        database.Write();
        VoiceFolder = folder.path() + "/voices";
        for (const char* name : {"ㄇㄚ", "ㄋㄧ3"}) {
            std::filesystem::create_directories(VoiceFolder + "/" + name);
            std::ofstream(VoiceFolder + "/" + name + "/3.ogg") << "ogg";
        }
        heard_ = folder.path() + "/heard";
        UseHelper("echo ready\nexec cat >> '" + heard_ + "'\n");
    }

    void UseHelper(const std::string& script)
    {
        const std::string path = folder.path() + "/voice-helper";
        std::ofstream(path) << "#!/bin/sh\n" << script;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        VoiceHelper = QString::fromStdString(path);
    }

    // The decided character's commands: a cut, then each row's recording in row order.
    static std::string PlayRows()
    {
        std::string commands = "stop\n";
        for (PairNode* node = App.ReadingList.head; node != nullptr; node = node->next)
            commands += "play " + RecordingFile(NarrowString(node->pair.first).c_str()) + "\n";
        return commands;
    }

    static std::string RowsTyped()
    {
        std::string typed;
        for (PairNode* node = App.ReadingList.head; node != nullptr; node = node->next)
            typed += NarrowString(node->pair.first).c_str();
        return typed;
    }

    static bool SpeakEnabled() { return MainWindow->Command(IDM_SPEAK)->isEnabled(); }

    std::string heard_;
};

TEST_F(SoundTest, DecidedReadingsPlayInRowOrderAndAreCutByTheNextCharacterAndQuit)
{
    std::string expected;
    EXPECT_EQ(RunLumora([&] {
                  EXPECT_FALSE(SpeakEnabled()) << "greyed while nothing has been decided";
                  EXPECT_TRUE(MainWindow->Command(IDM_SOUND)->isChecked()) << "sound is on by default";
                  Type(RowsTyped());
                  ASSERT_TRUE(App.Answered);
                  EXPECT_TRUE(SpeakEnabled());
                  expected = PlayRows();
                  EXPECT_TRUE(WaitUntil([&] { return ReadFileText(heard_) == expected; })) << ReadFileText(heard_);
                  MainWindow->Command(IDM_SPEAK)->trigger();  // once more, from the start
                  expected += PlayRows();
                  Type(" ");
                  EXPECT_FALSE(SpeakEnabled()) << "greyed again for the new character";
                  expected += "stop\n";
                  EXPECT_TRUE(WaitUntil([&] { return ReadFileText(heard_) == expected; })) << ReadFileText(heard_);
                  // A wrong first row decides at once and still plays both readings.
                  Type(NarrowString(App.ReadingList.head->pair.first).c_str()[1] == 'a' ? "ma2" : "ni2");
                  ASSERT_TRUE(App.Answered);
                  expected += PlayRows();
                  MainWindow->Command(IDM_QUIT)->trigger();
              }),
              1);
    // Quit closed the helper's input: it had received everything, and nothing more came.
    EXPECT_EQ(ReadFileText(heard_), expected);
    EXPECT_EQ(SoundLines(), 0);
}

TEST_F(SoundTest, SoundOffIsKeptInItsOwnFileAndSilencesEverything)
{
    RunLumora([&] {
        MainWindow->Command(IDM_SOUND)->trigger();
        EXPECT_FALSE(MainWindow->Command(IDM_SOUND)->isChecked());
        Type(RowsTyped());
        ASSERT_TRUE(App.Answered);
        EXPECT_FALSE(SpeakEnabled()) << "nothing to replay with the sound off";
        MainWindow->Command(IDM_QUIT)->trigger();
    });
    EXPECT_EQ(ReadFileText("sound"), "off\n");
    EXPECT_FALSE(std::filesystem::exists(heard_)) << "no helper was started";
    EXPECT_EQ(ReadFileBytes("sf04").size(), 8u) << "the settings file keeps its format";

    ResetProgramState();
    RunLumora([&] {
        EXPECT_FALSE(MainWindow->Command(IDM_SOUND)->isChecked()) << "the choice outlives the run";
        Type(RowsTyped());
        MainWindow->Command(IDM_SOUND)->trigger();  // on again: Speak offers the decided readings
        EXPECT_TRUE(SpeakEnabled());
        MainWindow->Command(IDM_SPEAK)->trigger();
        const std::string expected = PlayRows();
        EXPECT_TRUE(WaitUntil([&] { return ReadFileText(heard_) == expected; })) << ReadFileText(heard_);
        MainWindow->Command(IDM_QUIT)->trigger();
    });
    EXPECT_EQ(ReadFileText("sound"), "on\n");
}

TEST_F(SoundTest, MissingRecordingsGreySpeakWithOneLogLineAndNoMessage)
{
    VoiceFolder = folder.path() + "/no-such-folder";
    RunLumora([&] {
        for (int k = 0; k < 2; ++k) {
            Type(RowsTyped());
            ASSERT_TRUE(App.Answered);
            EXPECT_FALSE(SpeakEnabled());
            Type(" ");
        }
        MainWindow->Command(IDM_QUIT)->trigger();
    });
    EXPECT_EQ(SoundLines(), 1);
    EXPECT_TRUE(AskedQuestions().empty());
    EXPECT_FALSE(std::filesystem::exists(heard_));
    EXPECT_GT(ReadFileBytes("student.lumora").size(), 0u);
}

TEST_F(SoundTest, NoSoundServerGreysSpeakWithOneLogLineAndNoMessage)
{
    UseHelper("echo 'failed Connection refused'\nexit 1\n");
    RunLumora([&] {
        Type(RowsTyped());
        ASSERT_TRUE(App.Answered);
        EXPECT_TRUE(WaitUntil([] { return !SpeakEnabled(); }));
        Type(" ");
        Type(RowsTyped());
        EXPECT_FALSE(SpeakEnabled());
        MainWindow->Command(IDM_QUIT)->trigger();
    });
    const Lines log = LogLines();
    EXPECT_EQ(SoundLines(), 1);
    EXPECT_NE(std::find(log.begin(), log.end(), "sound: no sound server (Connection refused); the program stays silent"),
              log.end());
    EXPECT_TRUE(AskedQuestions().empty());
}

}  // namespace
