// The program's one pseudo-random generator.
#pragma once
#include <cstdint>

void SeedRandom(std::uint32_t seed);
int DrawRandom();  // 0..32767
