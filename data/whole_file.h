// Reading a data file whole, in one call, to parse it from memory.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// Leaves the elements a vector grows by uninitialised: a file is read over them at once, and
// zeroing megabytes first would only cost time.
template <typename T>
struct LeftUninitialised : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = LeftUninitialised<U>;
    };
    LeftUninitialised() = default;
    template <typename U>
    LeftUninitialised(const LeftUninitialised<U>&) {}
    template <typename U>
    void construct(U* place) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

// The bytes of a file read whole.
using FileBytes = std::vector<std::uint8_t, LeftUninitialised<std::uint8_t>>;

struct FileFault;

// Replaces 'bytes' with the whole content of the file 'name'. Returns 0 when the file cannot be
// opened or read, or holds more than 'limit' bytes, leaving 'bytes' empty and saying why in
// 'fault' (when given). A file over the limit is refused before it is read; one that grows past
// it while it is read (or reports no size) is refused once the read passes it.
int ReadWholeFile(const char* name, FileBytes& bytes, std::uint64_t limit, FileFault* fault = nullptr);

// The same for a file already open under 'name', read from where it stands to its end.
int ReadWholeFile(std::FILE* file, const char* name, FileBytes& bytes, std::uint64_t limit,
                  FileFault* fault = nullptr);
