// lumora_contact_sheet: draws the first characters of a database's index in both forms, each glyph
// in its frame on the panel yellow, dot for dot as the trainer paints them, into a PNG.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kGrey{192, 192, 192};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

struct Image {
    int width, height;
    std::vector<Rgb> pixels;
    void Set(int x, int y, Rgb c) {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<std::size_t>(y * width + x)] = c;
    }
};

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

unsigned U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return at + 1 < b.size() ? b[at] | (b[at + 1] << 8) : 0xFFFF;
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return U16(b, at) | (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}

std::map<unsigned, std::uint32_t> ReadCon(const std::vector<std::uint8_t>& con) {
    std::map<unsigned, std::uint32_t> offsets;
    unsigned n = U16(con, 0);
    for (unsigned i = 0; i < n; ++i) offsets[U16(con, 2 + 6 * i)] = U32(con, 4 + 6 * i);
    return offsets;
}

// The 30x30 frame: rows as runs of yellow, grey and white.
void DrawFrame(Image& img, int x0, int y0) {
    for (int y = 0; y < 30; ++y) {
        std::vector<Rgb> row;
        auto add = [&](int n, Rgb c) { row.insert(row.end(), static_cast<std::size_t>(n), c); };
        if (y == 0 || y == 29) { add(6, kYellow); add(18, kGrey); add(6, kYellow); }
        else if (y == 1 || y == 28) { add(4, kYellow); add(2, kGrey); add(18, kWhite); add(2, kGrey); add(4, kYellow); }
        else if (y == 2) { add(3, kYellow); add(1, kGrey); add(22, kWhite); add(1, kGrey); add(3, kYellow); }
        else if (y == 3 || y == 26) { add(2, kYellow); add(1, kGrey); add(24, kWhite); add(1, kGrey); add(2, kYellow); }
        else if (y == 4 || y == 5 || y == 24 || y == 25) { add(1, kYellow); add(1, kGrey); add(26, kWhite); add(1, kGrey); add(1, kYellow); }
        else if (y == 27) { add(2, kYellow); add(2, kGrey); add(22, kWhite); add(1, kGrey); add(3, kYellow); }
        else { add(1, kGrey); add(28, kWhite); add(1, kGrey); }
        for (int x = 0; x < 30; ++x) img.Set(x0 + x, y0 + y, row[static_cast<std::size_t>(x)]);
    }
}

void DrawGlyph(Image& img, const std::uint8_t* glyph, int x0, int y0) {
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            bool ink = glyph && (glyph[3 * y + x / 8] & (0x80 >> (x % 8)));
            img.Set(x0 + x, y0 + y, ink ? kBlack : kWhite);
        }
    }
}

bool WritePng(const std::string& path, const Image& img, int scale) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    int w = img.width * scale, h = img.height * scale;
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Rgb& c = img.pixels[static_cast<std::size_t>((y / scale) * img.width + x / scale)];
            row[static_cast<std::size_t>(3 * x)] = c.r;
            row[static_cast<std::size_t>(3 * x + 1)] = c.g;
            row[static_cast<std::size_t>(3 * x + 2)] = c.b;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: lumora_contact_sheet DATABASE_DIR OUT.png [COUNT] [SCALE] [FIRST]\n");
        return 1;
    }
    std::string dir = argv[1];
    int count = argc > 3 ? std::atoi(argv[3]) : 200;
    int scale = argc > 4 ? std::atoi(argv[4]) : 2;
    int first = argc > 5 ? std::atoi(argv[5]) : 0;
    std::vector<std::uint8_t> cbfcon = ReadAll(dir + "/cbfcon"), cbf = ReadAll(dir + "/cbf"),
                              cifcon = ReadAll(dir + "/cifcon"), cif = ReadAll(dir + "/cif"),
                              index = ReadAll(dir + "/index");
    if (cbfcon.empty() || cbf.empty() || cifcon.empty() || cif.empty() || index.empty()) {
        std::fprintf(stderr, "contact sheet: database files missing in %s\n", dir.c_str());
        return 2;
    }
    std::map<unsigned, std::uint32_t> glyphAt = ReadCon(cbfcon), infoAt = ReadCon(cifcon);
    auto glyph = [&](unsigned code) -> const std::uint8_t* {
        auto it = glyphAt.find(code);
        return it != glyphAt.end() && it->second + 72 <= cbf.size() ? &cbf[it->second] : nullptr;
    };
    // Ten pairs a row; each pair is the simplified glyph left and the traditional one right, on the
    // 29-pixel pitch of the trainer's two-box layout.
    const int perRow = 10, cellW = 70, cellH = 36;
    int rows = (count + perRow - 1) / perRow;
    Image img{perRow * cellW + 6, rows * cellH + 6, {}};
    img.pixels.assign(static_cast<std::size_t>(img.width * img.height), kYellow);
    int missing = 0;
    for (int k = 0; k < count; ++k) {
        unsigned code = U16(index, 2 + 2 * static_cast<std::size_t>(first + k));
        auto info = infoAt.find(code);
        unsigned other = info != infoAt.end() ? U16(cif, info->second + 2) : 0;
        if (other == 0) other = code;
        int x = 6 + (k % perRow) * cellW, y = 6 + (k / perRow) * cellH;
        DrawFrame(img, x, y);
        DrawFrame(img, x + 29, y);
        DrawGlyph(img, glyph(other), x + 3, y + 3);
        DrawGlyph(img, glyph(code), x + 32, y + 3);
        missing += glyph(code) == nullptr || glyph(other) == nullptr;
    }
    if (!WritePng(argv[2], img, scale)) {
        std::fprintf(stderr, "contact sheet: cannot write %s\n", argv[2]);
        return 3;
    }
    std::printf("%d characters drawn, %d with a missing glyph\n", count, missing);
    return missing == 0 ? 0 : 4;
}
