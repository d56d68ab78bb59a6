// The fault kept beside a loader's step code.
#include "data/file_faults.h"

#include <cerrno>
#include <sys/stat.h>

#include "data/log.h"

FileFault LastFileFault;

int FailOnFile(int step, const FileFault& fault) {
    LogStep(step);
    LastFileFault = fault;
    return 0;
}

FileFault OpenFault(const char* file, int error) {
    FileFault fault;
    fault.kind = error == ENOENT ? FaultKind::Missing : FaultKind::Unreadable;
    fault.file = file != nullptr ? file : "";
    fault.error = error != 0 ? error : EIO;
    return fault;
}

FileFault TooLargeFault(const char* file, std::uint64_t size, std::uint64_t limit) {
    FileFault fault;
    fault.kind = FaultKind::TooLarge;
    fault.file = file != nullptr ? file : "";
    fault.size = size;
    fault.limit = limit;
    return fault;
}

FileFault ContentFault(FaultKind kind, const char* file, FaultDetail detail, std::uint32_t code, std::string text) {
    FileFault fault;
    fault.kind = kind;
    fault.file = file != nullptr ? file : "";
    fault.detail = detail;
    fault.code = code;
    fault.text = std::move(text);
    return fault;
}

void ForgetFileFault() { LastFileFault = FileFault(); }

bool WithinLimit(int fd, std::uint64_t limit, std::uint64_t* size) {
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (size != nullptr) *size = 0;
        return true;
    }
    const std::uint64_t bytes = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
    if (size != nullptr) *size = bytes;
    return bytes <= limit;
}
