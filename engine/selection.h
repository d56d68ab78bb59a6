// Choice of the next character and the learning queue.
#pragma once
#include <cstdint>

int SetCurrentChar();
void PrepareNextChar();
void Place(std::uint32_t code, std::int32_t target);
