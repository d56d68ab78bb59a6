// What the engine asks of the sound: the decided character's recordings in row order, and the cut
// when the character changes.
#include <filesystem>
#include <fstream>

#include "data/zhuyin.h"
#include "engine/exam.h"
#include "engine/speech.h"
#include "tests/engine/engine_fixture.h"

namespace {

std::vector<std::vector<std::string>> Spoken;
int Silenced = 0;

void RecordSpeak(const std::vector<std::string>& files) { Spoken.push_back(files); }
void RecordSilence() { ++Silenced; }
const SpeechServices Recorder = {RecordSpeak, RecordSilence};

// Recordings for ma1 and ni3 (not for hao3) in a voice folder of the test's own.
class Speech : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = VoiceFolder;
        VoiceFolder = folder_.path() + "/voices";
        for (const char* name : {"ㄇㄚ", "ㄋㄧ3"}) {
            std::filesystem::create_directories(VoiceFolder + "/" + name);
            std::ofstream(VoiceFolder + "/" + name + "/3.ogg") << "ogg";
        }
        Spoken.clear();
        Silenced = 0;
        ConnectSpeech(&Recorder);
        TestDatabase db;
        db.SetSyllables({"ma", "ni", "hao"});
        db.AddChar(0x4E00, {"ma1 mother", "ni3 you", "hao3 good"});
        LoadTestData(db);
        ASSERT_EQ(SetCurrentChar(), 1);
        Silenced = 0;
    }
    void TearDown() override {
        ConnectSpeech(nullptr);
        VoiceFolder = saved_;
    }

    // The reading of each row, and its recording ("" for none).
    static std::vector<std::string> RowReadings() {
        std::vector<std::string> rows;
        for (PairNode* node = App.ReadingList.head; node != nullptr; node = node->next)
            rows.push_back(NarrowString(node->pair.first).c_str());
        return rows;
    }
    std::string FileOf(const std::string& reading) const { return RecordingFile(reading); }

    TestFolder folder_;
    std::string saved_;
};

TEST_F(Speech, RightAnswerPlaysEveryRowInRowOrderOnce) {
    const std::vector<std::string> rows = RowReadings();
    std::vector<std::string> expected;
    for (const std::string& reading : rows)
        if (!FileOf(reading).empty()) expected.push_back(FileOf(reading));
    ASSERT_EQ(expected.size(), 2u) << "hao3 has no recording and is left out";
    for (const std::string& reading : rows) Type(reading);
    ASSERT_TRUE(App.Answered);
    ASSERT_EQ(Spoken.size(), 1u);
    EXPECT_EQ(Spoken[0], expected);
    EXPECT_EQ(DecidedRecordings(), expected);
    EXPECT_EQ(Silenced, 0);
    Type("ma1");  // keys after the decision play nothing more
    EXPECT_EQ(Spoken.size(), 1u);
}

TEST_F(Speech, FirstWrongRowStillPlaysEveryReadingAndTheNextCharacterCutsIt) {
    const std::vector<std::string> rows = RowReadings();
    Type(rows[0] == "ma1" ? "ma2" : "ma1");
    ASSERT_TRUE(App.Answered);
    ASSERT_EQ(Spoken.size(), 1u);
    EXPECT_EQ(Spoken[0].size(), 2u);
    EXPECT_EQ(Spoken[0], DecidedRecordings());
    Type(" ");
    EXPECT_EQ(Silenced, 1) << "the new character cuts what plays";
    EXPECT_EQ(Spoken.size(), 1u);
}

TEST_F(Speech, UnknownSyllableAndUndecidedRowsPlayNothing) {
    const std::vector<std::string> rows = RowReadings();
    Type("xyz1");  // not a syllable: the row is emptied
    Type(rows[0]);
    EXPECT_FALSE(App.Answered);
    EXPECT_TRUE(Spoken.empty());
}

}  // namespace

namespace {

TEST_F(Speech, ExamAnswersAreHeardAlikeAndTheNextQuestionCutsThem) {
    PrepareTest();
    ASSERT_EQ(SetCurrentChar(), 1);
    ASSERT_FALSE(App.TrainingMode);
    Spoken.clear();
    Silenced = 0;
    const std::vector<std::string> expected = DecidedRecordings();
    for (const std::string& reading : RowReadings()) Type(reading);
    ASSERT_TRUE(App.Answered);
    ASSERT_EQ(Spoken.size(), 1u);
    EXPECT_EQ(Spoken[0], expected);
    Type(" ");
    EXPECT_EQ(Silenced, 1);
}

}  // namespace
