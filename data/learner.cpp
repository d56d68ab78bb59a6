// Learner records: the start-up choice between import, load and a fresh queue; the save; the
// queue test; the release at exit.
#include "data/learner.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "data/backups.h"
#include "data/byte_io.h"
#include "data/clock.h"
#include "data/file_faults.h"
#include "data/file_places.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/replace_file.h"
#include "data/seams.h"
#include "data/settings.h"
#include "data/whole_file.h"

namespace {

constexpr std::size_t HistoryStart = 2 + 8 * static_cast<std::size_t>(CodeCount);  // 524282

template <typename Bytes>
std::uint16_t GetU16(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Reads the whole learner file before touching a field, so a refused file changes nothing.
int ReadLearnerFile(ByteFile& file) {
    const char* name = App.Files.Learner.c_str();
    FileBytes bytes;
    FileFault fault;
    if (!ReadWholeFile(file.get(), name, bytes, LearnerLimit, &fault))
        return FailOnFile(fault.kind == FaultKind::TooLarge ? StepLearnerTooLarge : StepLearnerUnreadable, fault);
    if (bytes.size() < static_cast<std::size_t>(LearnerFileSize)) {
        FileFault shortFile = ContentFault(FaultKind::Damaged, name, FaultDetail::ShortLearnerFile);
        shortFile.size = bytes.size();
        return FailOnFile(691, shortFile);
    }
    if (GetU16(bytes, 0) != LearnerStamp)
        return FailOnFile(691, ContentFault(FaultKind::WrongFormat, name, FaultDetail::WrongStamp));
    // Bytes past the fixed size are not the program's; the first save keeps the file aside whole
    // before it writes the records back in their fixed size.
    LongerLearnerFile = bytes.size() > static_cast<std::size_t>(LearnerFileSize);
    App.QueueLength = 0;
    for (std::size_t code = 0; code < static_cast<std::size_t>(CodeCount); ++code) {
        CharRecord& record = App.CharTable[code];
        const std::size_t at = 2 + 8 * code;
        const std::uint16_t queuePos = GetU16(bytes, at);
        const std::uint16_t good = GetU16(bytes, at + 2);
        const std::uint16_t wrong = GetU16(bytes, at + 4);
        const std::uint16_t streak = GetU16(bytes, at + 6);
        if (queuePos != 0) ++App.QueueLength;
        // Most of the table stays zero; a record already equal to the file's is not written, so
        // pages no character uses are never made resident.
        if (record.QueuePos == queuePos && record.Good == good && record.Wrong == wrong && record.Streak == streak)
            continue;
        record.QueuePos = queuePos;
        record.Good = good;
        record.Wrong = wrong;
        record.Streak = streak;
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
        // Written only where it changes, like the records read from a file.
        if (App.CharTable[code].QueuePos != App.FreqRank[code]) App.CharTable[code].QueuePos = App.FreqRank[code];
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

// The import of the earlier release's records is all or nothing: a file that turns out damaged
// leaves no trace in memory, is left untouched, and the learner hears of it; the start then goes
// on as after a declined import.
namespace {

// What the import may change, kept until it is known to have succeeded.
struct LearnerSnapshot {
    std::vector<CharRecord> chars;
    std::vector<ExamRecord> history;
    std::int32_t queueLength;
    CodeSpan queuedCodes;

    LearnerSnapshot()
        : chars(std::begin(App.CharTable), std::end(App.CharTable)),
          history(App.ExamHistory, App.ExamHistory + HistoryCount),
          queueLength(App.QueueLength),
          queuedCodes(App.QueuedCodes) {}
    void Restore() const {
        std::copy(chars.begin(), chars.end(), App.CharTable);
        std::copy(history.begin(), history.end(), App.ExamHistory);
        App.QueueLength = queueLength;
        App.QueuedCodes = queuedCodes;
    }
};

void TellImportFailed(const char* reason) {
    const std::string text = std::string("The old records in student2.dat could not be read: ") + reason +
                             ".\n\nThe file stays untouched. Lumora starts without them.";
    AskLearner(text.c_str(), "Lumora", AskOk, 1);
}

// Reads student2.dat into the records; returns 0 after its step code when the file is damaged.
int ReadOldLearnerFile(std::FILE* file) {
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
    App.QueuedCodes = FindQueuedCodes();
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
    if (!TestData()) {
        LogStep(670);
        return 0;
    }
    return 1;
}

}  // namespace

int LoadStudent2() {
    if (App.UpgradeFlag == 0) return 0;
    LogTrace("LoadStudent2");

    ByteFile old(RecordFile("student2.dat").c_str(), "rb");
    if (!old.IsOpen()) {
        const int error = errno;
        LogStep(620);
        if (error != ENOENT) TellImportFailed(std::strerror(error));
        return 0;
    }
    if (AskLearner("Load existing student records?", "Lumora", AskYesNo, 1) != AnswerYes) {
        LogStep(624);
        return 0;
    }
    const LearnerSnapshot before;
    if (!ReadOldLearnerFile(old.get())) {
        before.Restore();
        TellImportFailed("the file is damaged");
        return 0;
    }
    return 1;
}

int LoadStudent() {
    LogTrace("LoadStudent");
    if (LoadStudent2()) return 1;
    return LoadStudentFile();
}

int LoadStudentFile() {
    LongerLearnerFile = false;
    ByteFile learner(App.Files.Learner.c_str(), "rb");
    bool fromFile = false;
    if (!learner.IsOpen()) {
        // Only a file that does not exist means a first start. Any other reason stops the start,
        // like a damaged file: starting fresh would put an empty queue over the learner's records
        // at the next save.
        const int error = errno;
        if (error != ENOENT) return FailOnFile(StepLearnerUnreadable, OpenFault(App.Files.Learner.c_str(), error));
        StartFreshQueue();
    } else {
        if (!ReadLearnerFile(learner)) return 0;
        learner.Close();
        fromFile = true;
    }
    App.QueuedCodes = FindQueuedCodes();
    if (!TestData()) {
        LogStep(721);
        if (fromFile)
            LastFileFault = ContentFault(FaultKind::Damaged, App.Files.Learner.c_str(), FaultDetail::QueueInconsistent);
        return 0;
    }
    return 1;
}

bool LongerLearnerFile = false;

namespace {

// Keeps a learner file that held more than the records aside whole, before a save writes over it.
// Returns 0, with the reason in 'error', when no copy could be made: the file is then not saved.
int KeepLongerFileAside(int& error) {
    const char* name = App.Files.Learner.c_str();
    FileBytes bytes;
    FileFault fault;
    if (!ReadWholeFile(name, bytes, LearnerLimit, &fault)) {
        // Gone, or no longer readable: there is nothing of it left to keep.
        if (fault.kind == FaultKind::Missing) {
            LongerLearnerFile = false;
            return 1;
        }
        error = fault.kind == FaultKind::TooLarge ? EFBIG : fault.error;
        return 0;
    }
    if (bytes.size() <= static_cast<std::size_t>(LearnerFileSize)) {
        LongerLearnerFile = false;
        return 1;
    }
    const std::string copy = FreeAsideName(name, "longer");
    if (copy.empty()) {
        error = EEXIST;
        return 0;
    }
    if (!WriteCopy(copy.c_str(), bytes.data(), bytes.size(), &error)) return 0;
    LongerLearnerFile = false;
    TellLearner(FileNotice{FileNoticeKind::LongerFileKeptAside, name, copy, 0});
    return 1;
}

// Writes sf04 and student.lumora. Returns 1 when both were written; otherwise 0 with one line
// "file: reason" for each file that kept its old content.
int WriteSavedFiles(std::string& failures) {
    // The day's first save copies the files as they were before it, once it is done: the copy
    // never delays the save, nor makes it fail.
    PendingBackup backup = PrepareBackup();
    int error = 0;
    if (!SaveSettings(&error)) failures += std::string(App.Files.Settings.c_str()) + ": " + std::strerror(error) + "\n";
    const std::vector<std::uint8_t> bytes = LearnerFileBytes();
    if (LongerLearnerFile && !KeepLongerFileAside(error)) {
        LogStep(StepLearnerNotSaved);
        failures += std::string(App.Files.Learner.c_str()) + ": it holds more than your records, and no copy of it could be kept (" +
                    std::strerror(error) + ")\n";
    } else if (!ReplaceFile(App.Files.Learner.c_str(), bytes.data(), bytes.size(), &error)) {
        LogStep(StepLearnerNotSaved);
        failures += std::string(App.Files.Learner.c_str()) + ": " + std::strerror(error) + "\n";
    }
    WriteBackup(backup);
    return failures.empty();
}

void StartSave(bool pause) {
    LogTrace("SaveData");
    if (pause && SavePauseMs > 0) PauseBeforeSave(SavePauseMs);
}

std::string FailureText(const std::string& failures, const char* closing) {
    return "Lumora could not save your records.\n\n" + failures + closing;
}

int SaveWithNotice(bool pause) {
    StartSave(pause);
    std::string failures;
    if (WriteSavedFiles(failures)) return 1;
    const std::string text = FailureText(
        failures, "\nYour answers are kept while Lumora runs; it tries again at the next save and when you quit.");
    AskLearner(text.c_str(), "Lumora", AskOk, 1);
    return 0;
}

}  // namespace

std::vector<std::uint8_t> LearnerFileBytes() {
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
    return bytes;
}

// A save that fails is no longer silent: the learner's only copy of their work is at stake, so
// they are told which file could not be written and why.
int SaveData() { return SaveWithNotice(true); }

int SaveDataWithoutPause() { return SaveWithNotice(false); }

int SaveDataAtQuit() {
    StartSave(true);
    for (;;) {
        std::string failures;
        if (WriteSavedFiles(failures)) return 1;
        const std::string text = FailureText(failures, "\nTry again? If you choose No, Lumora quits without saving.");
        if (AskLearner(text.c_str(), "Lumora", AskYesNo, 0) != AnswerYes) {
            LogStep(StepQuitWithoutSaving);
            return 0;
        }
    }
}

CodeSpan FindQueuedCodes() {
    int first = 0;
    while (first < CodeCount && App.CharTable[first].QueuePos == 0) ++first;
    int end = CodeCount;
    while (end > first && App.CharTable[end - 1].QueuePos == 0) --end;
    return first < end ? CodeSpan{first, end} : CodeSpan{};
}

// Counts and sums in 64 bits: m (m + 1) / 2 passes 2^31 once m is above 65535 / sqrt 2. A queued
// code outside the span would be missed by the count, which must equal QueueLength.
int TestData() {
    LogTrace("TestData");
    long long sum = 0;
    long long count = 0;
    const CodeSpan span = App.QueuedCodes;
    assert(span == FindQueuedCodes());
    for (int code = span.first; code < span.end; ++code) {
        const std::uint16_t pos = App.CharTable[code].QueuePos;
        if (pos > MaxQueuePos) return 0;
        sum += pos;
        count += pos != 0;
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
