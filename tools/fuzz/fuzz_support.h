// Shared by the fuzz targets: a private working folder and whole-file writes.
#pragma once
#include <cstddef>
#include <cstdint>

// Changes once into a fresh temporary folder and resets the program state for one input.
void BeginFuzzInput();
void WriteWhole(const char* name, const std::uint8_t* data, std::size_t size);
// Writes the bundled pinyin syllable file into the working folder.
void WriteBundledPinyin();
// Splits an input at the separator bytes "\xff\xfe\xfd" into up to 'count' parts.
int SplitInput(const std::uint8_t* data, std::size_t size, const std::uint8_t** parts,
               std::size_t* sizes, int count);
