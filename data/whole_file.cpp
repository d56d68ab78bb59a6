// Reading a data file whole, in one call, to parse it from memory.
#include "data/whole_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "data/byte_io.h"
#include "data/file_faults.h"

namespace {

int Refuse(FileBytes& bytes, FileFault* fault, const FileFault& why) {
    bytes.clear();
    bytes.shrink_to_fit();
    if (fault != nullptr) *fault = why;
    return 0;
}

}  // namespace

int ReadWholeFile(const char* name, FileBytes& bytes, std::uint64_t limit, FileFault* fault) {
    bytes.clear();
    ByteFile file(name, "rb");
    if (!file.IsOpen()) return Refuse(bytes, fault, OpenFault(name, errno));
    return ReadWholeFile(file.get(), name, bytes, limit, fault);
}

int ReadWholeFile(std::FILE* file, const char* name, FileBytes& bytes, std::uint64_t limit, FileFault* fault) {
    bytes.clear();
    if (file == nullptr) return Refuse(bytes, fault, OpenFault(name, EBADF));
    std::uint64_t fileSize = 0;
    if (!WithinLimit(fileno(file), limit, &fileSize)) return Refuse(bytes, fault, TooLargeFault(name, fileSize, limit));
    const long position = std::ftell(file);
    // The size tells how much to read in the one call; a file that grew meanwhile (or one whose
    // size is not known) is read on to its end, up to the limit, so nothing of it is lost.
    std::size_t size = static_cast<std::size_t>(fileSize);
    if (position > 0) size -= std::min(size, static_cast<std::size_t>(position));
    bytes.resize(size + 1);
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    while (got == bytes.size()) {
        if (got > limit) return Refuse(bytes, fault, TooLargeFault(name, got, limit));
        bytes.resize(std::min<std::uint64_t>(bytes.size() * 2, limit + 1));
        got += std::fread(bytes.data() + got, 1, bytes.size() - got, file);
    }
    if (std::ferror(file)) return Refuse(bytes, fault, OpenFault(name, errno != 0 ? errno : EIO));
    if (got > limit) return Refuse(bytes, fault, TooLargeFault(name, got, limit));
    bytes.resize(got);
    return 1;
}
