// Choice of the next character and the learning queue.
#pragma once
#include <cstdint>

int SetCurrentChar();
void PrepareNextChar();
// PrepareNextChar that tells its caller whether the next character was set (0: the program is stopping).
int TryPrepareNextChar();
// Rebuilds ExampleList: every word of WordList that holds CurrentChar, once each, in WordList order.
void CollectExamples();
void Place(std::uint32_t code, std::int32_t target);
