// Reading a data file whole, in one call, to parse it from memory.
#include "data/whole_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "data/byte_io.h"

int ReadWholeFile(const char* name, FileBytes& bytes) {
    bytes.clear();
    ByteFile file(name, "rb");
    return file.IsOpen() && ReadWholeFile(file.get(), bytes);
}

int ReadWholeFile(std::FILE* file, FileBytes& bytes) {
    bytes.clear();
    struct stat status {};
    if (file == nullptr || fstat(fileno(file), &status) != 0) return 0;
    const long position = std::ftell(file);
    // The size tells how much to read in the one call; a file that grew meanwhile (or one whose
    // size is not known) is read on to its end, so nothing of it is lost.
    std::size_t size = status.st_size > 0 ? static_cast<std::size_t>(status.st_size) : 0;
    if (position > 0) size -= std::min(size, static_cast<std::size_t>(position));
    bytes.resize(size + 1);
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    while (got == bytes.size()) {
        bytes.resize(bytes.size() * 2);
        got += std::fread(bytes.data() + got, 1, bytes.size() - got, file);
    }
    if (std::ferror(file)) {
        bytes.clear();
        return 0;
    }
    bytes.resize(got);
    return 1;
}
