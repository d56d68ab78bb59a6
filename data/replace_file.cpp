#include "data/replace_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "data/seams.h"

namespace {

// The file a name stands for once its symlinks are followed; a dangling link gives the missing
// target, which the save then creates.
std::string FollowLinks(const char* name) {
    std::string path = name;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
        char target[4096];
        const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0) break;
        target[length] = '\0';
        if (target[0] == '/') {
            path = target;
        } else {
            const std::string::size_type slash = path.rfind('/');
            path = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + target;
        }
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes all bytes, or stops after 'failAfter' bytes (when not negative) as a full disk would.
// Returns 0 or errno.
int WriteAll(int fd, const std::uint8_t* bytes, std::size_t size, long failAfter) {
    std::size_t allowed = size;
    if (failAfter >= 0 && static_cast<std::size_t>(failAfter) < size) allowed = static_cast<std::size_t>(failAfter);
    std::size_t done = 0;
    while (done < allowed) {
        const ssize_t count = write(fd, bytes + done, allowed - done);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return count < 0 ? errno : EIO;
        done += static_cast<std::size_t>(count);
    }
    return allowed == size ? 0 : ENOSPC;
}

// The new file gets the old one's permission bits; a file saved for the first time gets what a
// plain create would give it.
void KeepModeAndOwner(int fd, const std::string& target) {
    struct stat old;
    if (stat(target.c_str(), &old) == 0) {
        fchmod(fd, old.st_mode & 07777);
        // A save run as root keeps the learner's own file theirs; elsewhere the call is refused
        // harmlessly and the file stays the saver's.
        if (geteuid() == 0 && fchown(fd, old.st_uid, old.st_gid) != 0) return;
        return;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
}

// Opens a fresh temporary file beside the target: "<name>.tmp", or, where something that cannot be
// overwritten stands in the way of that name (a leftover folder, a link, another's file), a unique
// name instead.
int OpenTemporary(const std::string& target, std::string& temporary) {
    temporary = target + ".tmp";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno == EROFS) return fd;
    temporary = target + ".tmp.XXXXXX";
    return mkostemp(temporary.data(), O_CLOEXEC);
}

// The way of a folder that allows no new file: rewrite the file itself, then cut it to size.
// Departs from the temporary file only here, where that file cannot be made at all.
int RewriteInPlace(const std::string& target, const std::uint8_t* bytes, std::size_t size) {
    const int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = WriteAll(fd, bytes, size, SaveFailAfterBytes);
    if (error == 0 && ftruncate(fd, static_cast<off_t>(size)) != 0) error = errno;
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    return error;
}

// Whether the file is a regular file holding exactly these bytes already. Reading it back costs a
// fraction of a millisecond; writing and syncing it, several.
bool HoldsAlready(const std::string& target, const std::uint8_t* bytes, std::size_t size) {
    const int fd = open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    bool same = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) == size;
    std::uint8_t buffer[65536];
    for (std::size_t done = 0; same && done < size;) {
        const ssize_t count = read(fd, buffer, std::min(sizeof buffer, size - done));
        if (count < 0 && errno == EINTR) continue;
        same = count > 0 && std::memcmp(buffer, bytes + done, static_cast<std::size_t>(count)) == 0;
        done += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    close(fd);
    return same;
}

int Replace(const char* name, const std::uint8_t* bytes, std::size_t size, bool copy) {
    const std::string target = FollowLinks(name);
    // Nothing changed since the last save (a quit right after one, or after no answer at all):
    // the file is left as it is, and the quit does not wait for the disk.
    if (HoldsAlready(target, bytes, size)) return 0;
    std::string temporary;
    const int fd = OpenTemporary(target, temporary);
    if (fd < 0) {
        // Only a folder that refuses new files is written around; a full or read-only disk would
        // refuse (or tear) the file itself just as well.
        const int error = errno;
        return !copy && (error == EACCES || error == EPERM) ? RewriteInPlace(target, bytes, size) : error;
    }

    KeepModeAndOwner(fd, target);
    int error = WriteAll(fd, bytes, size, copy ? CopyFailAfterBytes : SaveFailAfterBytes);
    // Synced before the rename: after a power cut the name never points at a file not yet written.
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return error;
    }
    // The rename itself reaches the disk with the folder.
    const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return 0;
}

}  // namespace

int ReplaceFile(const char* name, const std::uint8_t* bytes, std::size_t size, int* error) {
    const int reason = Replace(name, bytes, size, false);
    if (error != nullptr) *error = reason;
    return reason == 0;
}

int WriteCopy(const char* name, const std::uint8_t* bytes, std::size_t size, int* error) {
    const int reason = Replace(name, bytes, size, true);
    if (error != nullptr) *error = reason;
    return reason == 0;
}
