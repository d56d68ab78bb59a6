// Replacing a file whole: the new content goes to a temporary file beside it, which is flushed and
// then renamed over the old one, so a reader finds either the old file or the new one, never a mix.
#pragma once
#include <cstddef>
#include <cstdint>

// Returns 1 when the file now holds exactly the given bytes; 0 when it keeps its old content.
int ReplaceFile(const char* name, const std::uint8_t* bytes, std::size_t size);
