// Types shared by every subsystem: character codes, records and the fixed sizes of the tables.
#pragma once
#include <cstdint>

using CharCode = std::uint16_t;

// Codes 0..65534 name characters; 0xFFFF is what a 16-bit read yields at end of file.
constexpr int CodeCount = 65535;
constexpr int FrequencyCount = 8000;
constexpr int HistoryCount = 5000;
constexpr int GlyphBytes = 72;
constexpr int MaxQueuePos = 10000;

// One GlyphBitmap: 24 rows of 3 bytes, most significant bit leftmost.
using GlyphBitmap = std::uint8_t[GlyphBytes];

struct CharRecord {
    std::uint16_t QueuePos;  // learner: 1 = asked next, 0 = not queued
    std::uint16_t Good;      // learner: right answers
    std::uint16_t Wrong;     // learner: wrong answers
    std::uint16_t Streak;    // learner: right answers since the last wrong one
    std::int32_t Weight;     // from cif: share of running text
    std::uint8_t ShowBoth;   // from cif: draw simplified and traditional side by side
};

struct ExamRecord {
    std::uint16_t Known;
    std::uint16_t Margin;
    std::uint16_t Day;  // 0 = empty entry
    std::uint16_t Asked;
};

// Left, top, right, bottom; right and bottom are excluded as on the original platform.
struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};
