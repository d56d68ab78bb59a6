#include "data/replace_file.h"

#include <cstdio>
#include <string>

#include "data/seams.h"

namespace {

// Writes all bytes, or fewer when SaveFailAfterBytes stands in for a full disk.
int WriteAll(std::FILE* file, const std::uint8_t* bytes, std::size_t size) {
    std::size_t allowed = size;
    if (SaveFailAfterBytes >= 0 && static_cast<std::size_t>(SaveFailAfterBytes) < size)
        allowed = static_cast<std::size_t>(SaveFailAfterBytes);
    if (allowed > 0 && std::fwrite(bytes, 1, allowed, file) != allowed) return 0;
    return allowed == size;
}

}  // namespace

int ReplaceFile(const char* name, const std::uint8_t* bytes, std::size_t size) {
    const std::string temporary = std::string(name) + ".tmp";
    // Plain stream rather than ByteFile: the result of fclose is part of the check, and nothing
    // between open and close can leave early.
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return 0;
    int written = WriteAll(file, bytes, size);
    int flushed = std::fflush(file) == 0;
    int closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed) {
        std::remove(temporary.c_str());
        return 0;
    }
    if (std::rename(temporary.c_str(), name) != 0) {
        std::remove(temporary.c_str());
        return 0;
    }
    return 1;
}
