// Replacing a file whole. The new content goes to a temporary file beside the file it replaces,
// is synced to the disk and renamed over the old one, and the folder is synced after it, so a
// reader (or the next start after a crash or a power cut) finds either the old file or the new one,
// never a mix. A symlink is followed: its target is replaced and the link stays a link. The new
// file keeps the old one's permission bits (and owner, where allowed).
#pragma once
#include <cstddef>
#include <cstdint>

// Returns 1 when the file now holds exactly the given bytes; 0 when it could not be written, with
// the errno value of the reason in 'error' (when given). Where the folder allows no temporary file
// the file is rewritten in place instead, which can leave it torn only if that write fails.
int ReplaceFile(const char* name, const std::uint8_t* bytes, std::size_t size, int* error = nullptr);

// The same for a copy (a backup, a file kept aside), never rewritten in place: where no temporary
// file can be made beside it, the copy fails, so that no name ever holds part of one. Tests make
// it fail after CopyFailAfterBytes bytes.
int WriteCopy(const char* name, const std::uint8_t* bytes, std::size_t size, int* error = nullptr);
