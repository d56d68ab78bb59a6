// Full names of the program's files from the two folders chosen at start.
#include "data/file_places.h"

namespace {

std::string ReadOnlyFolder;
std::string RecordsFolder;

NarrowString JoinName(const std::string& folder, const char* name) {
    if (folder.empty()) return NarrowString(name);
    std::string full = folder;
    if (full.back() != '/') full += '/';
    full += name;
    return NarrowString(full.c_str());
}

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

}  // namespace

void SetFilePlaces(const std::string& readOnlyFolder, const std::string& recordsFolder) {
    ReadOnlyFolder = readOnlyFolder;
    RecordsFolder = recordsFolder;
}

NarrowString ReadOnlyFile(const char* name) { return JoinName(ReadOnlyFolder, name); }

NarrowString RecordFile(const char* name) { return JoinName(RecordsFolder, name); }

std::string UserRecordsFolder(const char* xdgDataHome, const char* home) {
    // A relative XDG_DATA_HOME is invalid and ignored, as is a relative HOME: either would put the
    // records wherever the program happens to be started.
    std::string base;
    if (IsAbsolute(xdgDataHome)) {
        base = xdgDataHome;
    } else if (IsAbsolute(home)) {
        base = home;
        if (base.back() != '/') base += '/';
        base += ".local/share";
    } else {
        return std::string();
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (base == "/") return "/lumora";
    return base + "/lumora";
}
