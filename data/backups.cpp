// The daily copies of the learner's records, their rotation and the way back.
#include "data/backups.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "data/clock.h"
#include "data/file_places.h"
#include "data/learner.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/replace_file.h"
#include "data/seams.h"
#include "data/types.h"

namespace {

constexpr const char* LearnerPrefix = "student-";
constexpr const char* LearnerSuffix = ".lumora";
constexpr const char* SettingsPrefix = "sf04-";

bool TellFailure = true;

std::uint16_t U16At(const std::uint8_t* bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// Whether the text is a date YYYY-MM-DD.
bool IsDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// Days from 1 January 1970 of a date YYYY-MM-DD.
long long DayOf(const std::string& date) {
    return DaysFromCivil(std::stoll(date.substr(0, 4)), static_cast<unsigned>(std::stoi(date.substr(5, 2))),
                         static_cast<unsigned>(std::stoi(date.substr(8, 2))));
}

// Weeks run from Monday; 1 January 1970 was a Thursday.
long long WeekOf(const std::string& date) {
    const long long day = DayOf(date) + 3;
    return day >= 0 ? day / 7 : (day - 6) / 7;
}

// The date of a copy's file name, or empty when the name is no copy's.
std::string DateOfCopy(const std::string& name, const std::string& prefix, const std::string& suffix) {
    if (name.size() != prefix.size() + 10 + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::string();
    const std::string date = name.substr(prefix.size(), 10);
    return IsDate(date) ? date : std::string();
}

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
        closedir(dir);
    }
    return names;
}

std::string CopyPath(const std::string& prefix, const std::string& date, const std::string& suffix) {
    return BackupFolder() + "/" + prefix + date + suffix;
}

// Removes the copies the rotation no longer keeps, and temporary files a killed copy left.
void Rotate() {
    const std::string folder = BackupFolder();
    const std::vector<std::string> names = FolderNames(folder);
    for (const auto& [prefix, suffix] : {std::pair<std::string, std::string>{LearnerPrefix, LearnerSuffix},
                                         std::pair<std::string, std::string>{SettingsPrefix, ""}}) {
        std::vector<std::string> dates;
        for (const std::string& name : names) {
            const std::string date = DateOfCopy(name, prefix, suffix);
            if (!date.empty()) dates.push_back(date);
        }
        const std::vector<std::string> kept = DatesKept(dates);
        for (const std::string& date : dates)
            if (std::find(kept.begin(), kept.end(), date) == kept.end()) unlink(CopyPath(prefix, date, suffix).c_str());
    }
    for (const std::string& name : names)
        if ((name.rfind(LearnerPrefix, 0) == 0 || name.rfind(SettingsPrefix, 0) == 0) && name.find(".tmp") != std::string::npos)
            unlink((folder + "/" + name).c_str());
}

void Fail(const std::string& copy, int error) {
    LogStep(StepBackupFailed);
    if (!TellFailure) return;
    TellFailure = false;
    TellLearner(FileNotice{FileNoticeKind::BackupFailed, App.Files.Learner.c_str(), copy, error});
}

}  // namespace

FaultDetail CheckLearnerBytes(const std::uint8_t* bytes, std::size_t size, int* learned) {
    if (size < static_cast<std::size_t>(LearnerFileSize)) return FaultDetail::ShortLearnerFile;
    if (U16At(bytes, 0) != LearnerStamp) return FaultDetail::WrongStamp;
    long long sum = 0;
    long long count = 0;
    int known = 0;
    for (std::size_t code = 0; code < static_cast<std::size_t>(CodeCount); ++code) {
        const std::size_t at = 2 + 8 * code;
        const std::uint16_t pos = U16At(bytes, at);
        if (pos > MaxQueuePos) return FaultDetail::QueueInconsistent;
        if (pos == 0) continue;
        sum += pos;
        ++count;
        known += U16At(bytes, at + 2) > U16At(bytes, at + 4);
    }
    if (count * (count + 1) / 2 != sum) return FaultDetail::QueueInconsistent;
    if (learned != nullptr) *learned = known;
    return FaultDetail::None;
}

std::string BackupFolder() { return RecordFile("backups").c_str(); }

std::vector<std::string> DatesKept(std::vector<std::string> dates) {
    std::sort(dates.begin(), dates.end(), std::greater<>());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    if (dates.size() <= static_cast<std::size_t>(DailyCopiesKept)) return dates;
    std::vector<std::string> kept(dates.begin(), dates.begin() + DailyCopiesKept);
    const long long firstWeek = WeekOf(kept.back());
    std::set<long long> weeks;
    for (std::size_t i = DailyCopiesKept; i < dates.size(); ++i) {
        const long long week = WeekOf(dates[i]);
        if (week < firstWeek && week >= firstWeek - WeeklyCopiesKept && weeks.insert(week).second)
            kept.push_back(dates[i]);
    }
    return kept;
}

PendingBackup PrepareBackup() {
    PendingBackup pending;
    pending.date = TodayText();
    struct stat status {};
    // The day's copy exists: this is not the day's first save.
    if (stat(CopyPath(LearnerPrefix, pending.date, LearnerSuffix).c_str(), &status) == 0) return pending;
    // Nothing saved yet, or a file that does not load: nothing to keep. The copy of a damaged file
    // would be offered as a way back that leads nowhere.
    if (!ReadWholeFile(App.Files.Learner.c_str(), pending.learner, LearnerLimit)) return pending;
    if (CheckLearnerBytes(pending.learner.data(), pending.learner.size()) != FaultDetail::None) {
        pending.learner.clear();
        return pending;
    }
    pending.settingsThere = ReadWholeFile(App.Files.Settings.c_str(), pending.settings, SettingsLimit);
    pending.due = true;
    return pending;
}

int WriteBackup(PendingBackup& pending) {
    if (!pending.due) return 1;
    pending.due = false;
    const std::string folder = BackupFolder();
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        Fail(folder, errno);
        return 0;
    }
    int error = 0;
    const std::string learner = CopyPath(LearnerPrefix, pending.date, LearnerSuffix);
    const std::string settings = CopyPath(SettingsPrefix, pending.date, "");
    // The settings first: the learner's copy marks the day as done.
    if (pending.settingsThere && !WriteCopy(settings.c_str(), pending.settings.data(), pending.settings.size(), &error)) {
        Fail(settings, error);
        return 0;
    }
    if (!WriteCopy(learner.c_str(), pending.learner.data(), pending.learner.size(), &error)) {
        Fail(learner, error);
        return 0;
    }
    Rotate();
    return 1;
}

void ForgetBackupFailure() { TellFailure = true; }

std::vector<Backup> ListBackups() {
    std::vector<Backup> backups;
    for (const std::string& name : FolderNames(BackupFolder())) {
        const std::string date = DateOfCopy(name, LearnerPrefix, LearnerSuffix);
        if (date.empty()) continue;
        Backup backup;
        backup.date = date;
        backup.path = BackupFolder() + "/" + name;
        FileBytes bytes;
        backup.loads = ReadWholeFile(backup.path.c_str(), bytes, LearnerLimit) &&
                       CheckLearnerBytes(bytes.data(), bytes.size(), &backup.learned) == FaultDetail::None;
        backups.push_back(backup);
    }
    std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) { return a.date > b.date; });
    return backups;
}

Backup NewestLoadableBackup() {
    for (const Backup& backup : ListBackups())
        if (backup.loads) return backup;
    return Backup();
}

std::string FreeAsideName(const std::string& name, const char* what) {
    const std::string base = name + "." + what + "-" + TodayText();
    std::string candidate = base;
    struct stat status {};
    for (int n = 2; lstat(candidate.c_str(), &status) == 0 || errno != ENOENT; ++n) {
        if (n > 999) return std::string();
        candidate = base + "-" + std::to_string(n);
    }
    return candidate;
}

int RestoreBackup(const Backup& backup, const char* what, std::string& aside, int& error) {
    aside.clear();
    FileBytes bytes;
    FileFault fault;
    if (!ReadWholeFile(backup.path.c_str(), bytes, LearnerLimit, &fault)) {
        error = fault.kind == FaultKind::TooLarge ? EFBIG : fault.error;
        LogStep(StepRestoreFailed);
        return 0;
    }
    if (CheckLearnerBytes(bytes.data(), bytes.size()) != FaultDetail::None) {
        error = EINVAL;
        LogStep(StepRestoreFailed);
        return 0;
    }
    const std::string learner = App.Files.Learner.c_str();
    struct stat status {};
    if (lstat(learner.c_str(), &status) == 0) {
        aside = FreeAsideName(learner, what);
        if (aside.empty() || rename(learner.c_str(), aside.c_str()) != 0) {
            error = aside.empty() ? EEXIST : errno;
            aside.clear();
            LogStep(StepRestoreFailed);
            return 0;
        }
    }
    if (!WriteCopy(learner.c_str(), bytes.data(), bytes.size(), &error)) {
        // The file goes back where it was, as it was.
        if (!aside.empty() && rename(aside.c_str(), learner.c_str()) == 0) aside.clear();
        LogStep(StepRestoreFailed);
        return 0;
    }
    return 1;
}
