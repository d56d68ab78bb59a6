// Reading a data file whole, in one call, to parse it from memory.
#pragma once
#include <cstdint>
#include <cstdio>
#include <vector>

// Replaces 'bytes' with the whole content of the file 'name'. Returns 0 when the file cannot be
// opened or read, leaving 'bytes' empty.
int ReadWholeFile(const char* name, std::vector<std::uint8_t>& bytes);

// The same for a file already open, read from where it stands to its end.
int ReadWholeFile(std::FILE* file, std::vector<std::uint8_t>& bytes);
