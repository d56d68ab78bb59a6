// The read-only character database: cbfcon, cbf, cifcon, cif and index.
#pragma once
#include <cstdint>

// Step codes written when a file ends early or names the code 0xFFFF.
constexpr int StepGlyphIndexDamaged = 441;
constexpr int StepInfoIndexDamaged = 454;
constexpr int StepInfoRecordDamaged = 455;
constexpr int StepFrequencyDamaged = 471;

int LoadIndex();
// Fills 72 bytes with the glyph of the code (low 16 bits count); all zero and 0 when it has none.
int ReadGlyph(std::uint32_t code, std::uint8_t* glyph);
