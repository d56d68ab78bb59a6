// The seven files the trainer reads, as bytes: cbfcon, cbf, cifcon, cif, index, pinyin, wtf.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "glyphs.h"

// The trainer's self-inverse substitution of printable bytes (b -> 159 - b for 33..126).
void ScrambleText(std::string& text);

struct CharInfo {
    std::uint16_t code = 0;
    std::int16_t weight = 0;
    std::uint16_t otherForm = 0;  // 0 = the simplified form is the character itself
    std::uint8_t showBoth = 0;
    std::vector<std::string> readings;  // plain "lv4 green", scrambled when encoded
};

struct WordEntry {
    std::vector<std::uint16_t> word;
    std::string text;  // plain "<ni3 hao3> hello", scrambled when encoded
};

struct DatabaseImage {
    std::map<std::string, std::vector<std::uint8_t>> files;  // by file name
};

// Encodes everything in code order so that the same input gives the same bytes. False, with a
// message, for data the trainer cannot hold (0xFFFF, more than 3 readings, texts too long, an index
// code without a record).
bool EncodeDatabase(const std::map<std::uint16_t, Glyph>& glyphs, const std::vector<CharInfo>& chars,
                    const std::vector<std::uint16_t>& index, const std::vector<std::string>& syllables,
                    const std::vector<WordEntry>& words, DatabaseImage& image, std::string& error);

// Writes the files into a fresh sibling folder, with every other entry of the old folder copied
// over, then swaps it for `folder`, so a failed run leaves the old database whole.
bool WriteDatabaseFolder(const std::string& folder, const DatabaseImage& image, std::string& error);
