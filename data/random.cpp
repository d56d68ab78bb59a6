// The program's one linear congruential generator; its constants and 15-bit output are part of
// the behaviour (the same seed must give the same questions).
#include "data/random.h"

#include "data/program_state.h"

void SeedRandom(std::uint32_t seed) { App.RandomState = seed; }

int DrawRandom() {
    App.RandomState = App.RandomState * 214013u + 2531011u;
    return static_cast<int>((App.RandomState >> 16) & 32767u);
}
