// The temporary folder every test runs in, whole-file helpers, the clock and the scripted learner.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

#include "data/log.h"
#include "data/program_state.h"
#include "data/seams.h"
#include "data/zhuyin.h"
#include "shell/speech.h"
#include "tests/support/test_support.h"

namespace {

std::deque<int> scriptedAnswers;
std::vector<AskedQuestion> askedQuestions;
std::time_t fixedNow = 0;

int ScriptedAsk(const char* text, const char* caption, int buttons, int owned) {
    askedQuestions.push_back({text ? text : "", caption ? caption : "", buttons, owned});
    if (scriptedAnswers.empty()) return buttons == AskYesNo ? AnswerNo : AnswerOk;
    int answer = scriptedAnswers.front();
    scriptedAnswers.pop_front();
    return answer;
}

std::time_t FixedNow() { return fixedNow; }

// Every seam and program-wide variable back to the state a test expects to start from.
void ResetEverything() {
    ResetProgramState();
    LogEnabled = 0;
    scriptedAnswers.clear();
    askedQuestions.clear();
    AskLearner = ScriptedAsk;
    SavePauseMs = 0;
    NowSeconds = NowSecondsDefault;
    SaveFailAfterBytes = -1;
    ResetSound();
    VoiceHelper.clear();
    VoiceFolder = "/usr/share/gcin-voice/ogg";
}

}  // namespace

TestFolder::TestFolder() {
    namespace fs = std::filesystem;
    previous_ = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "lumora-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
    fs::current_path(path_);
    ResetEverything();
}

TestFolder::~TestFolder() {
    namespace fs = std::filesystem;
    ResetEverything();  // closes cbf and cif before their folder goes
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
}

Bytes ReadFileBytes(const std::string& name) {
    const std::string text = ReadFileText(name);
    return Bytes(text.begin(), text.end());
}

void WriteFileBytes(const std::string& name, const Bytes& bytes) {
    std::ofstream(name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileText(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int ModeOf(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? static_cast<int>(status.st_mode & 07777) : -1;
}

Lines LogLines() {
    Lines lines;
    std::istringstream in(ReadFileText("log.txt"));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void SetLocalNow(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900, local.tm_mon = month - 1, local.tm_mday = day;
    local.tm_hour = hour, local.tm_min = minute, local.tm_sec = second, local.tm_isdst = -1;
    fixedNow = std::mktime(&local);
    NowSeconds = FixedNow;
}

void ScriptAnswers(std::vector<int> answers) {
    scriptedAnswers.assign(answers.begin(), answers.end());
    AskLearner = ScriptedAsk;
}

const std::vector<AskedQuestion>& AskedQuestions() { return askedQuestions; }
