// Reading a data file whole, in one call, to parse it from memory.
#include "data/whole_file.h"

#include <sys/stat.h>

#include <cstdio>

#include "data/byte_io.h"

int ReadWholeFile(const char* name, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    ByteFile file(name, "rb");
    if (!file.IsOpen()) return 0;
    struct stat status {};
    if (fstat(fileno(file.get()), &status) != 0) return 0;
    // The size tells how much to read in the one call; a file that grew meanwhile is read on to
    // its end, so nothing of it is lost.
    std::size_t size = status.st_size > 0 ? static_cast<std::size_t>(status.st_size) : 0;
    bytes.resize(size + 1);
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    while (got == bytes.size()) {
        bytes.resize(bytes.size() * 2);
        got += std::fread(bytes.data() + got, 1, bytes.size() - got, file.get());
    }
    if (std::ferror(file.get())) {
        bytes.clear();
        return 0;
    }
    bytes.resize(got);
    return 1;
}
