// A learner file that exists but cannot be read ends the start with its own step code in the fatal
// chain, after a message that names it; nothing is ever written over it.
#include <filesystem>

#include "data/learner.h"
#include "tests/shell/shell_fixture.h"

namespace {

TEST_F(ShellTest, AnUnreadableLearnerFileEndsTheStartAndIsLeftAlone)
{
    std::filesystem::create_directory("student.lumora");
    WriteFileBytes("student.lumora/kept", {7});
    EXPECT_EQ(RunLumoraToAFailedStart(), 0);
    EXPECT_EQ(LogLines(), (Lines{std::to_string(StepLearnerUnreadable), "2150", "2226", "3263"}));
    ASSERT_EQ(AskedQuestions().size(), 1u) << "one message";
    EXPECT_EQ(AskedQuestions()[0].text.rfind("Fatal error: main window could not be created!", 0), 0u);
    EXPECT_NE(AskedQuestions()[0].text.find("\"student.lumora\" cannot be read: Is a directory."), std::string::npos);
    EXPECT_EQ(ReadFileBytes("student.lumora/kept"), (std::vector<std::uint8_t>{7}));
    EXPECT_TRUE(ReadFileBytes("sf04").empty()) << "nothing is saved";
}

}  // namespace
