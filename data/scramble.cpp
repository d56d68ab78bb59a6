#include "data/scramble.h"

#include <cstring>

void ScrambleBytes(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(ScrambleByte(static_cast<unsigned char>(text[i])));
}

void Scramble(char* text) {
    if (!text) return;
    ScrambleBytes(text, std::strlen(text));
}
