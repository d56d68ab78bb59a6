#pragma once
#include <cstddef>

// Self-inverse substitution of printable bytes 33..126 (b -> 159 - b); every other byte stays.
inline unsigned char ScrambleByte(unsigned char b) {
    return static_cast<unsigned char>(b >= 33 && b <= 126 ? 159 - b : b);
}

// The substitution in place, up to the first zero byte.
void Scramble(char* text);
// The same substitution on exactly 'length' bytes, zero bytes included.
void ScrambleBytes(char* text, std::size_t length);
