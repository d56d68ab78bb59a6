// The character database: the three index files are read into the tables, cbf and cif stay open.
// Files that end early or name 0xFFFF are refused, since a short read yields 0xFFFF and that code
// lies past the end of every per-character table.
#include "data/database.h"

#include <cstring>

#include "data/byte_io.h"
#include "data/log.h"
#include "data/program_state.h"

namespace {

constexpr long EndCode = 0xFFFF;

// Reads an index of (code, offset) entries and hands each to 'store'; 0 on a damaged entry.
template <typename Store>
int ReadIndexEntries(std::FILE* file, Store store) {
    long count = ReadU16(file);
    if (count < 0) return 0;
    for (long i = 0; i < count; ++i) {
        long code = ReadU16(file);
        long long offset = ReadU32(file);
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
    int whole = ReadIndexEntries(glyphIndex.get(), [](CharCode code, std::uint32_t offset) {
        App.GlyphOffset[code] = offset;
        return 1;
    });
    if (!whole) {
        LogStep(StepGlyphIndexDamaged);
        return 0;
    }
    return 1;
}

// Where InfoFile stands while LoadIndex walks the record heads.
long infoPosition = 0;

// Positions InfoFile at 'target'. Every fseek costs a system call, so a short way forward, the
// usual step from one record to the next, is read through the stream's buffer instead.
int MoveInfoFile(long target) {
    std::FILE* info = App.InfoFile.get();
    if (target >= infoPosition && target - infoPosition <= 1024) {
        for (; infoPosition < target; ++infoPosition)
            if (std::fgetc(info) == EOF) return 0;
        return 1;
    }
    if (std::fseek(info, target, SEEK_SET) != 0) return 0;
    infoPosition = target;
    return 1;
}

// Reads the fixed head of one cif record into the tables.
int ReadRecordHead(CharCode code, std::uint32_t offset) {
    std::FILE* info = App.InfoFile.get();
    if (!MoveInfoFile(static_cast<long>(offset))) return 0;
    long weight = ReadU16(info);
    long otherForm = ReadU16(info);
    int showBoth = std::fgetc(info);
    if (weight < 0 || otherForm < 0 || otherForm == EndCode || showBoth == EOF) return 0;
    infoPosition += 5;
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
    infoPosition = 0;
    int recordDamaged = 0;
    int whole = ReadIndexEntries(infoIndex.get(), [&recordDamaged](CharCode code, std::uint32_t offset) {
        App.InfoOffset[code] = offset;
        if (ReadRecordHead(code, offset)) return 1;
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
    ByteFile frequency(App.Files.Frequency.c_str(), "rb");
    if (!frequency.IsOpen()) {
        LogStep(470);
        return 0;
    }
    if (ReadU16(frequency.get()) < 0) {
        LogStep(StepFrequencyDamaged);
        return 0;
    }
    for (int rank = 1; rank <= FrequencyCount; ++rank) {
        long code = ReadU16(frequency.get());
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
