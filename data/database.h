// The read-only character database: cbfcon, cbf, cifcon, cif and index.
#pragma once
#include <cstdint>

// Step codes written when a file ends early or names the code 0xFFFF (which no table holds):
//   441 cbfcon: its count, a code or an offset is cut short, or an entry names 0xFFFF;
//   454 cifcon: likewise for the information index;
//   455 cif: a record head (weight, other form, flag) is cut short, or its other form is 0xFFFF;
//   471 index: fewer than 8000 codes after the unused first value, or a code 0xFFFF.
// The missing-file codes 439, 440, 452, 453, 470 and the unlisted-code 480 stay as they were.
// A file over its size limit is refused before it is read: 442 cbfcon, 443 cbf, 456 cifcon,
// 457 cif, 472 index. The checks that the files fit together add their own (database_check.h).
constexpr int StepGlyphIndexDamaged = 441;
constexpr int StepGlyphIndexTooLarge = 442;
constexpr int StepGlyphsTooLarge = 443;
constexpr int StepInfoIndexTooLarge = 456;
constexpr int StepInfoTooLarge = 457;
constexpr int StepFrequencyTooLarge = 472;
constexpr int StepInfoIndexDamaged = 454;
constexpr int StepInfoRecordDamaged = 455;
constexpr int StepFrequencyDamaged = 471;

int LoadIndex();
// Fills 72 bytes with the glyph of the code (low 16 bits count); all zero and 0 when it has none.
int ReadGlyph(std::uint32_t code, std::uint8_t* glyph);
