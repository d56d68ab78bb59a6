// The character database: the three index files are read into the tables, cbf and cif stay open.
// Files that end early or name 0xFFFF are refused, since a short read yields 0xFFFF and that code
// lies past the end of every per-character table.
#include "data/database.h"

#include <cstring>
#include <vector>

#include "data/byte_io.h"
#include "data/log.h"
#include "data/program_state.h"
#include "data/whole_file.h"

namespace {

constexpr long EndCode = 0xFFFF;

// A data file read whole, read from the front like a byte stream: a value past the end yields -1.
struct ByteReader {
    const FileBytes& bytes;
    std::size_t at = 0;

    long U8() { return at < bytes.size() ? bytes[at++] : -1; }
    long U16() {
        if (bytes.size() - at < 2) return -1;
        const long value = bytes[at] | bytes[at + 1] << 8;
        at += 2;
        return value;
    }
    long long U32() {
        if (bytes.size() - at < 4) return -1;
        long long value = 0;
        for (int k = 3; k >= 0; --k) value = value << 8 | bytes[at + static_cast<std::size_t>(k)];
        at += 4;
        return value;
    }
};

// Reads an index of (code, offset) entries and hands each to 'store'; 0 on a damaged entry.
template <typename Store>
int ReadIndexEntries(ByteReader& file, Store store) {
    long count = file.U16();
    if (count < 0) return 0;
    for (long i = 0; i < count; ++i) {
        long code = file.U16();
        long long offset = file.U32();
        if (code < 0 || code == EndCode || offset < 0) return 0;
        if (!store(static_cast<CharCode>(code), static_cast<std::uint32_t>(offset))) return 0;
    }
    return 1;
}

int ReadGlyphIndex() {
    ByteFile glyphIndex(App.Files.GlyphIndex.c_str(), "rb");
    if (!glyphIndex.IsOpen()) {
        LogStep(439);
        return 0;
    }
    if (!App.GlyphFile.Open(App.Files.Glyphs.c_str(), "rb")) {
        LogStep(440);
        return 0;
    }
    FileBytes bytes;
    ReadWholeFile(glyphIndex.get(), bytes);
    ByteReader file{bytes};
    int whole = ReadIndexEntries(file, [](CharCode code, std::uint32_t offset) {
        App.GlyphOffset[code] = offset;
        return 1;
    });
    if (!whole) {
        LogStep(StepGlyphIndexDamaged);
        return 0;
    }
    return 1;
}

// Reads the fixed head of one cif record into the tables, from the whole of cif in memory.
int ReadRecordHead(const FileBytes& info, CharCode code, std::uint32_t offset) {
    if (offset > info.size()) return 0;
    ByteReader record{info, offset};
    long weight = record.U16();
    long otherForm = record.U16();
    long showBoth = record.U8();
    if (weight < 0 || otherForm < 0 || otherForm == EndCode || showBoth < 0) return 0;
    App.CharTable[code].Weight = static_cast<std::int32_t>(weight);
    App.OtherForm[code] = otherForm == 0 ? code : static_cast<CharCode>(otherForm);
    App.CharTable[code].ShowBoth = static_cast<std::uint8_t>(showBoth);
    return 1;
}

int ReadInfoIndex() {
    ByteFile infoIndex(App.Files.InfoIndex.c_str(), "rb");
    if (!infoIndex.IsOpen()) {
        LogStep(452);
        return 0;
    }
    if (!App.InfoFile.Open(App.Files.Info.c_str(), "rb")) {
        LogStep(453);
        return 0;
    }
    // The record heads lie all over cif: reading it whole once beats a seek for each of them.
    // InfoFile stays open for the readings, which are read from disk each time (every read
    // positions it first).
    FileBytes indexBytes, info;
    ReadWholeFile(infoIndex.get(), indexBytes);
    ReadWholeFile(App.InfoFile.get(), info);
    ByteReader file{indexBytes};
    int recordDamaged = 0;
    int whole = ReadIndexEntries(file, [&](CharCode code, std::uint32_t offset) {
        App.InfoOffset[code] = offset;
        if (ReadRecordHead(info, code, offset)) return 1;
        recordDamaged = 1;
        return 0;
    });
    if (recordDamaged) {
        LogStep(StepInfoRecordDamaged);
        return 0;
    }
    if (!whole) {
        LogStep(StepInfoIndexDamaged);
        return 0;
    }
    return 1;
}

int ReadFrequencyList() {
    FileBytes bytes;
    if (!ReadWholeFile(App.Files.Frequency.c_str(), bytes)) {
        LogStep(470);
        return 0;
    }
    ByteReader frequency{bytes};
    if (frequency.U16() < 0) {
        LogStep(StepFrequencyDamaged);
        return 0;
    }
    for (int rank = 1; rank <= FrequencyCount; ++rank) {
        long code = frequency.U16();
        if (code < 0 || code == EndCode) {
            LogStep(StepFrequencyDamaged);
            return 0;
        }
        App.FreqRank[code] = static_cast<std::uint16_t>(rank);
        App.FreqList[rank - 1] = static_cast<CharCode>(code);
        if (App.InfoOffset[code] == 0) {
            LogStep(480);
            return 0;
        }
    }
    return 1;
}

}  // namespace

int LoadIndex() {
    LogTrace("LoadIndex");
    return ReadGlyphIndex() && ReadInfoIndex() && ReadFrequencyList();
}

int ReadGlyph(std::uint32_t code, std::uint8_t* glyph) {
    code &= 0xFFFF;
    std::memset(glyph, 0, GlyphBytes);
    if (code >= static_cast<std::uint32_t>(CodeCount) || App.GlyphOffset[code] == 0) return 0;
    std::FILE* glyphs = App.GlyphFile.get();
    if (!glyphs || std::fseek(glyphs, static_cast<long>(App.GlyphOffset[code]), SEEK_SET) != 0) return 0;
    // A glyph cut short by the end of cbf is drawn blank rather than half.
    if (std::fread(glyph, 1, GlyphBytes, glyphs) != static_cast<std::size_t>(GlyphBytes)) {
        std::memset(glyph, 0, GlyphBytes);
        return 0;
    }
    return 1;
}
