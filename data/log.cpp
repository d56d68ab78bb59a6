// The diagnostic log. Each line opens, appends and closes "log.txt", so a line is on disk as soon
// as it is written. A log that cannot be opened loses that line and nothing else.
#include "data/log.h"

#include <cstdio>

#include "data/file_places.h"
#include "data/seams.h"

int LogEnabled = 0;

namespace {

void AppendLine(const char* text) {
    std::FILE* file = std::fopen(RecordFile("log.txt").c_str(), "a");
    if (!file) return;
    std::fputs(text, file);
    std::fputc('\n', file);
    std::fclose(file);
}

}  // namespace

void LogTrace(const char* text) {
    if (LogEnabled) AppendLine(text ? text : "");
}

void LogStep(int code) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", code);
    AppendLine(digits);
}

void LogNote(const char* text) { AppendLine(text ? text : ""); }

void SwitchLog() {
    LogEnabled = 0;
    if (std::FILE* marker = std::fopen(RecordFile("need_log_file.txt").c_str(), "r")) {
        std::fclose(marker);
        LogEnabled = 1;
        AskLearner("Log file will be written", "", AskOk, 0);
    }
    if (std::FILE* log = std::fopen(RecordFile("log.txt").c_str(), "w")) std::fclose(log);
}
