// Byte streams: an owning file handle and the little-endian readers and writers.
#pragma once
#include <cstdint>
#include <cstdio>

// Owns one C stream; closes it when it goes out of scope.
class ByteFile {
public:
    ByteFile() = default;
    ByteFile(const char* name, const char* mode) { Open(name, mode); }
    ByteFile(const ByteFile&) = delete;
    ByteFile& operator=(const ByteFile&) = delete;
    ~ByteFile() { Close(); }

    // False for a folder too (errno EISDIR); errno tells why otherwise.
    bool Open(const char* name, const char* mode);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }
    std::FILE* get() const { return file_; }

private:
    std::FILE* file_ = nullptr;
};

// Each yields -1 at end of file or after an error.
long ReadU16(std::FILE* file);
long long ReadU32(std::FILE* file);
void WriteU16(std::FILE* file, std::uint16_t value);
