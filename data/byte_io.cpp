// Byte streams and the little-endian readers: a short read yields -1, never a half value.
#include "data/byte_io.h"

#include <cerrno>
#include <sys/stat.h>

bool ByteFile::Open(const char* name, const char* mode) {
    Close();
    file_ = std::fopen(name, mode);
    // A folder opens for reading on this system and then reads as an empty file; it is no file.
    struct stat info;
    if (file_ != nullptr && fstat(fileno(file_), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file_);
        file_ = nullptr;
        errno = EISDIR;
    }
    return file_ != nullptr;
}

void ByteFile::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

long ReadU16(std::FILE* file) {
    int low = std::fgetc(file);
    int high = std::fgetc(file);
    if (low == EOF || high == EOF) return -1;
    return static_cast<long>(low) | (static_cast<long>(high) << 8);
}

long long ReadU32(std::FILE* file) {
    long long value = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int byte = std::fgetc(file);
        if (byte == EOF) return -1;
        value |= static_cast<long long>(byte) << shift;
    }
    return value;
}

void WriteU16(std::FILE* file, std::uint16_t value) {
    std::fputc(value & 0xFF, file);
    std::fputc(value >> 8, file);
}
