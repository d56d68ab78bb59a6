// Learner records: the start-up choice between import, load and a fresh queue; the save; the
// queue test; the release at exit.
#include "data/learner.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "data/byte_io.h"
#include "data/file_places.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/replace_file.h"
#include "data/seams.h"
#include "data/settings.h"

namespace {

constexpr std::size_t HistoryStart = 2 + 8 * static_cast<std::size_t>(CodeCount);  // 524282

std::uint16_t GetU16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Reads the whole learner file before touching a field, so a refused file changes nothing.
int ReadLearnerFile(std::FILE* file) {
    std::vector<std::uint8_t> bytes(LearnerFileSize);
    std::size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
    if (count < bytes.size() || GetU16(bytes, 0) != LearnerStamp) {
        LogStep(691);
        return 0;
    }
    App.QueueLength = 0;
    for (std::size_t code = 0; code < static_cast<std::size_t>(CodeCount); ++code) {
        CharRecord& record = App.CharTable[code];
        const std::size_t at = 2 + 8 * code;
        record.QueuePos = GetU16(bytes, at);
        record.Good = GetU16(bytes, at + 2);
        record.Wrong = GetU16(bytes, at + 4);
        record.Streak = GetU16(bytes, at + 6);
        if (record.QueuePos != 0) ++App.QueueLength;
    }
    for (std::size_t k = 0; k < static_cast<std::size_t>(HistoryCount); ++k) {
        ExamRecord& exam = App.ExamHistory[k];
        const std::size_t at = HistoryStart + 8 * k;
        exam.Day = GetU16(bytes, at);
        exam.Known = GetU16(bytes, at + 2);
        exam.Margin = GetU16(bytes, at + 4);
        exam.Asked = GetU16(bytes, at + 6);
    }
    return 1;
}

void StartFreshQueue() {
    App.QueueLength = 0;
    for (int code = 0; code < CodeCount; ++code) {
        App.CharTable[code].QueuePos = App.FreqRank[code];
        if (App.FreqRank[code] != 0) ++App.QueueLength;
    }
}

// The character entries of student2.dat; 0 when the file ends inside them or names 0xFFFF.
int ImportCharacters(std::FILE* file) {
    long count = ReadU16(file);
    if (count < 0) return 0;
    App.QueueLength = static_cast<std::int32_t>(count);
    for (long i = 0; i < count; ++i) {
        long code = ReadU16(file);
        long queuePos = ReadU16(file);
        int good = std::fgetc(file);
        int wrong = std::fgetc(file);
        int streak = std::fgetc(file);
        if (code < 0 || code == 0xFFFF || queuePos < 0 || good == EOF || wrong == EOF || streak == EOF)
            return 0;
        CharRecord& record = App.CharTable[code];
        record.QueuePos = static_cast<std::uint16_t>(queuePos);
        record.Good = static_cast<std::uint16_t>(good);
        record.Wrong = static_cast<std::uint16_t>(wrong);
        record.Streak = static_cast<std::uint16_t>(streak);
    }
    return 1;
}

}  // namespace

int LoadStudent2() {
    if (App.UpgradeFlag == 0) return 0;
    LogTrace("LoadStudent2");

    ByteFile old(RecordFile("student2.dat").c_str(), "rb");
    if (!old.IsOpen()) {
        LogStep(620);
        return 0;
    }
    if (AskLearner("Load existing student records?", "Lumora", AskYesNo, 1) != AnswerYes) {
        LogStep(624);
        return 0;
    }
    std::FILE* file = old.get();

    int length = std::fgetc(file);
    char header[256] = {};
    if (length == EOF || std::fread(header, 1, static_cast<std::size_t>(length), file) != static_cast<std::size_t>(length)) {
        LogStep(StepImportDamaged);
        return 0;
    }
    int version = 0;
    if (std::sscanf(header, "student2.dat version: %d", &version) != 1) version = 0;

    if (ReadU16(file) < 0 || !ImportCharacters(file)) {
        LogStep(StepImportDamaged);
        return 0;
    }
    if (version > 0) {
        long obsolete = ReadU16(file);
        if (obsolete < 0 || std::fseek(file, obsolete * 7, SEEK_CUR) != 0) {
            LogStep(StepImportDamaged);
            return 0;
        }
        if (ReadU16(file) != HistoryCount) {
            LogStep(660);
            return 0;
        }
        for (int k = 0; k < HistoryCount; ++k) {
            long day = ReadU16(file);
            long known = ReadU16(file);
            long asked = ReadU16(file);
            if (day < 0 || known < 0 || asked < 0) {
                LogStep(StepImportDamaged);
                return 0;
            }
            ExamRecord& exam = App.ExamHistory[k];
            exam.Day = static_cast<std::uint16_t>(day);
            exam.Known = static_cast<std::uint16_t>(known);
            exam.Margin = 0;  // the earlier release kept no margin
            exam.Asked = static_cast<std::uint16_t>(asked);
        }
    }
    old.Close();
    if (!TestData()) {
        LogStep(670);
        return 0;
    }
    return 1;
}

int LoadStudent() {
    LogTrace("LoadStudent");
    if (LoadStudent2()) return 1;

    ByteFile learner(App.Files.Learner.c_str(), "rb");
    if (!learner.IsOpen()) {
        StartFreshQueue();
    } else {
        if (!ReadLearnerFile(learner.get())) return 0;
        learner.Close();
    }
    if (!TestData()) {
        LogStep(721);
        return 0;
    }
    return 1;
}

void SaveData() {
    LogTrace("SaveData");
    if (SavePauseMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(SavePauseMs));

    SaveSettings();

    std::vector<std::uint8_t> bytes(LearnerFileSize);
    PutU16(bytes, 0, LearnerStamp);
    for (std::size_t code = 0; code < static_cast<std::size_t>(CodeCount); ++code) {
        const CharRecord& record = App.CharTable[code];
        const std::size_t at = 2 + 8 * code;
        PutU16(bytes, at, record.QueuePos);
        PutU16(bytes, at + 2, record.Good);
        PutU16(bytes, at + 4, record.Wrong);
        PutU16(bytes, at + 6, record.Streak);
    }
    for (std::size_t k = 0; k < static_cast<std::size_t>(HistoryCount); ++k) {
        const ExamRecord& exam = App.ExamHistory[k];
        const std::size_t at = HistoryStart + 8 * k;
        PutU16(bytes, at, exam.Day);
        PutU16(bytes, at + 2, exam.Known);
        PutU16(bytes, at + 4, exam.Margin);
        PutU16(bytes, at + 6, exam.Asked);
    }
    if (!ReplaceFile(App.Files.Learner.c_str(), bytes.data(), bytes.size())) LogStep(StepLearnerNotSaved);
}

// Counts and sums in 64 bits: m (m + 1) / 2 passes 2^31 once m is above 65535 / sqrt 2.
int TestData() {
    LogTrace("TestData");
    long long sum = 0;
    long long count = 0;
    for (int code = 0; code < CodeCount; ++code) {
        const std::uint16_t pos = App.CharTable[code].QueuePos;
        if (pos > MaxQueuePos) return 0;
        sum += pos;
        if (pos != 0) ++count;
    }
    if (count * (count + 1) / 2 != sum) {
        LogStep(369);
        return 0;
    }
    if (count != App.QueueLength) {
        LogStep(370);
        return 0;
    }
    return 1;
}

void FreeMemory() {
    LogTrace("FreeMemory");
    App.ReadingList.Clear();
    App.GlyphFile.Close();
    App.InfoFile.Close();
}
