// Pinyin to zhuyin, the recording folder of each tone, readings without a recording, and the file
// that keeps the learner's choice of sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "data/sound_choice.h"
#include "data/zhuyin.h"
#include "tests/support/test_support.h"

namespace {

TEST(Zhuyin, AwkwardSyllables) {
    const std::pair<const char*, const char*> cases[] = {
        {"lv", "ㄌㄩ"},     {"nve", "ㄋㄩㄝ"},  {"lve", "ㄌㄩㄝ"},  {"lue", "ㄌㄩㄝ"},  // ü written v, or u before e
        {"ju", "ㄐㄩ"},     {"quan", "ㄑㄩㄢ"}, {"xun", "ㄒㄩㄣ"},  {"jue", "ㄐㄩㄝ"},  // u after j, q, x is ü
        {"jiong", "ㄐㄩㄥ"}, {"yong", "ㄩㄥ"},  {"yu", "ㄩ"},       {"yuan", "ㄩㄢ"},
        {"zhi", "ㄓ"},      {"ri", "ㄖ"},       {"si", "ㄙ"},       {"ci", "ㄘ"},        // the unwritten vowel
        {"er", "ㄦ"},       {"e", "ㄜ"},        {"o", "ㄛ"},        {"ei", "ㄟ"},        // no initial
        {"a", "ㄚ"},        {"ang", "ㄤ"},      {"eng", "ㄥ"},      {"ou", "ㄡ"},
        {"yi", "ㄧ"},       {"wu", "ㄨ"},       {"ye", "ㄧㄝ"},     {"you", "ㄧㄡ"},     // y and w
        {"wei", "ㄨㄟ"},    {"wen", "ㄨㄣ"},    {"weng", "ㄨㄥ"},   {"yo", "ㄧㄛ"},
        {"liu", "ㄌㄧㄡ"},  {"gui", "ㄍㄨㄟ"},  {"lun", "ㄌㄨㄣ"},  {"hong", "ㄏㄨㄥ"},  // shortened finals
        {"zhuang", "ㄓㄨㄤ"}, {"bo", "ㄅㄛ"},   {"fiao", "ㄈㄧㄠ"}, {"den", "ㄉㄣ"},
        {"m", "ㄇ"},        {"n", "ㄋ"},        {"ng", "ㄫ"},       {"hm", "ㄏㄇ"},      // syllabic nasals
        {"hng", "ㄏㄫ"},
    };
    for (const auto& [pinyin, zhuyin] : cases) EXPECT_EQ(ZhuyinOf(pinyin), zhuyin) << pinyin;
    for (const char* wrong : {"", "x", "zhv", "jo", "ju2", "bx", "Ma", "qiangg", "zher"})
        EXPECT_EQ(ZhuyinOf(wrong), "") << wrong;
}

TEST(Zhuyin, EverySyllableOfTheBundledPinyinFile) {
    std::ifstream pinyin(std::filesystem::path(LUMORA_SOURCE_DIR) / "database" / "pinyin");
    int count = 0;
    for (std::string syllable; pinyin >> syllable; ++count) EXPECT_NE(ZhuyinOf(syllable), "") << syllable;
    EXPECT_GT(count, 400);
}

TEST(Zhuyin, EachToneHasItsFolderSuffix) {
    // First tone: no digit; second to fourth: their digit; neutral (stored bare): 1.
    EXPECT_EQ(RecordingFolder("ma1"), "ㄇㄚ");
    EXPECT_EQ(RecordingFolder("ma2"), "ㄇㄚ2");
    EXPECT_EQ(RecordingFolder("ma3"), "ㄇㄚ3");
    EXPECT_EQ(RecordingFolder("ma4"), "ㄇㄚ4");
    EXPECT_EQ(RecordingFolder("ma"), "ㄇㄚ1");
    EXPECT_EQ(RecordingFolder("lv4"), "ㄌㄩ4");
    EXPECT_EQ(RecordingFolder("er2"), "ㄦ2");
    EXPECT_EQ(RecordingFolder("zi"), "ㄗ1");
}

TEST(Zhuyin, ReadingsWithoutARecording) {
    TestFolder folder;
    namespace fs = std::filesystem;
    const std::string saved = VoiceFolder;
    VoiceFolder = folder.path() + "/voices";
    for (const char* present : {"ㄇㄚ", "ㄇㄚ1", "ㄇ", "ㄓ1"}) {
        fs::create_directories(VoiceFolder + "/" + present);
        std::ofstream(VoiceFolder + "/" + present + "/" + VoiceFileName) << "ogg";
    }
    fs::create_directories(VoiceFolder + "/ㄋㄧ3");  // a folder without this voice's file
    EXPECT_EQ(RecordingFile("ma1"), VoiceFolder + "/ㄇㄚ/3.ogg");
    EXPECT_EQ(RecordingFile("ma"), VoiceFolder + "/ㄇㄚ1/3.ogg");
    EXPECT_EQ(RecordingFile("ma2"), "") << "no folder";
    EXPECT_EQ(RecordingFile("ni3"), "") << "a folder without the voice";
    // The folder of a lone initial holds the letter's name, not the syllabic nasal.
    EXPECT_EQ(RecordingFolder("m1"), "");
    EXPECT_EQ(RecordingFile("m1"), "");
    EXPECT_EQ(RecordingFile("hng"), "");
    EXPECT_EQ(RecordingFile("zhi"), VoiceFolder + "/ㄓ1/3.ogg");
    for (const char* no : {"", "5", "xyz3", "ma9"}) EXPECT_EQ(RecordingFile(no), "") << no;
    VoiceFolder = saved;
}

TEST(SoundChoice, OnUntilTurnedOffAndKeptInItsOwnFile) {
    TestFolder folder;
    EXPECT_EQ(LoadSoundChoice(), 1) << "no file: on";
    ASSERT_EQ(SaveSoundChoice(0), 1);
    EXPECT_EQ(ReadFileText("sound"), "off\n");
    EXPECT_EQ(LoadSoundChoice(), 0);
    ASSERT_EQ(SaveSoundChoice(1), 1);
    EXPECT_EQ(ReadFileText("sound"), "on\n");
    EXPECT_EQ(LoadSoundChoice(), 1);
    for (const std::string& text : {std::string(), std::string("\xff\xfe"), std::string("of")}) {
        WriteFileBytes("sound", Bytes(text.begin(), text.end()));
        EXPECT_EQ(LoadSoundChoice(), 1) << "anything but off leaves the sound on";
    }
}

}  // namespace
