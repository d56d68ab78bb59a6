// The day clock: whole days since 1 January 2003 local time; reseeds the random generator.
#pragma once
#include <cstdint>

std::int32_t GetTime();
