// Choice of the next character and the learning queue.
#pragma once
#include <cstdint>

// Reads the code's readings from its cif record into ReadingList, in file order. A text with no
// reading word in it is not a reading and is left out. Returns the number of readings, or minus
// the step code of a damaged record.
int LoadReadings(std::uint32_t code);
int SetCurrentChar();
void PrepareNextChar();
// PrepareNextChar that tells its caller whether the next character was set (0: the program is stopping).
int TryPrepareNextChar();
// Rebuilds ExampleList: every word of WordList that holds CurrentChar, once each, in WordList order.
void CollectExamples();
void Place(std::uint32_t code, std::int32_t target);
