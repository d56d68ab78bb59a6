// 24x24 one-bit glyphs as the trainer stores them: 24 rows of 3 bytes, top row first,
// most significant bit leftmost.
#pragma once
#include <array>
#include <cstdint>
#include <string>

using Glyph = std::array<std::uint8_t, 72>;

constexpr int GlyphSize = 24;

void SetDot(Glyph& glyph, int x, int y);
bool HasDot(const Glyph& glyph, int x, int y);
int DotCount(const Glyph& glyph);

// Copies a one-bit FreeType bitmap (rows of `pitch` bytes, MSB leftmost) into the middle of the
// cell; dots beyond the cell are dropped. Returns false when the bitmap is larger than the cell.
bool PlaceBitmap(const std::uint8_t* bits, int width, int rows, int pitch, Glyph& glyph);

// Renders characters of one outline font with FreeType, monochrome, so that every glyph of the
// database, simplified or traditional, has the same style.
class GlyphRenderer {
public:
    GlyphRenderer() = default;
    ~GlyphRenderer();
    GlyphRenderer(const GlyphRenderer&) = delete;
    GlyphRenderer& operator=(const GlyphRenderer&) = delete;

    bool Open(const std::string& fontPath, int faceIndex, std::string& error);
    // False when the font has no glyph for the character or its glyph is blank.
    bool Render(char32_t code, Glyph& glyph);
    std::string FamilyName() const;

private:
    void* library_ = nullptr;  // FT_Library
    void* face_ = nullptr;     // FT_Face
};
