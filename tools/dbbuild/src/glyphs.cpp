#include "glyphs.h"

#include <ft2build.h>
#include FT_FREETYPE_H

void SetDot(Glyph& glyph, int x, int y) {
    glyph[static_cast<std::size_t>(3 * y + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
}

bool HasDot(const Glyph& glyph, int x, int y) {
    return (glyph[static_cast<std::size_t>(3 * y + x / 8)] & (0x80 >> (x % 8))) != 0;
}

int DotCount(const Glyph& glyph) {
    int n = 0;
    for (std::uint8_t b : glyph) {
        for (int bit = 0; bit < 8; ++bit) n += (b >> bit) & 1;
    }
    return n;
}

bool PlaceBitmap(const std::uint8_t* bits, int width, int rows, int pitch, Glyph& glyph) {
    glyph.fill(0);
    if (width > GlyphSize || rows > GlyphSize) return false;
    int left = (GlyphSize - width) / 2;
    int top = (GlyphSize - rows) / 2;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* row = bits + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = 0; x < width; ++x) {
            if (row[x / 8] & (0x80 >> (x % 8))) SetDot(glyph, left + x, top + y);
        }
    }
    return true;
}

GlyphRenderer::~GlyphRenderer() {
    if (face_) FT_Done_Face(static_cast<FT_Face>(face_));
    if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

bool GlyphRenderer::Open(const std::string& fontPath, int faceIndex, std::string& error) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        error = "FreeType cannot start";
        return false;
    }
    library_ = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontPath.c_str(), faceIndex, &face) != 0) {
        error = "cannot open font source " + fontPath;
        return false;
    }
    face_ = face;
    return true;
}

bool GlyphRenderer::Render(char32_t code, Glyph& glyph) {
    FT_Face face = static_cast<FT_Face>(face_);
    glyph.fill(0);
    if (!face || FT_Get_Char_Index(face, code) == 0) return false;
    // Some glyphs overhang the em square: step down until the bitmap fits the cell.
    for (int pixels = GlyphSize; pixels >= GlyphSize - 4; --pixels) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) return false;
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return false;
        const FT_Bitmap& bm = face->glyph->bitmap;
        if (bm.pixel_mode != FT_PIXEL_MODE_MONO) return false;
        if (PlaceBitmap(bm.buffer, static_cast<int>(bm.width), static_cast<int>(bm.rows), bm.pitch, glyph))
            return DotCount(glyph) > 0;
    }
    return false;
}

std::string GlyphRenderer::FamilyName() const {
    FT_Face face = static_cast<FT_Face>(face_);
    if (!face || !face->family_name) return "";
    return face->family_name;
}
