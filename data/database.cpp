// The character database: the three index files are read into the tables, cbf and cif stay open.
// Files that end early or name 0xFFFF are refused, since a short read yields 0xFFFF and that code
// lies past the end of every per-character table. Each file is refused unread when it is larger
// than its limit, and the loaded tables are checked against cif and the syllable list.
#include "data/database.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "data/byte_io.h"
#include "data/database_check.h"
#include "data/file_faults.h"
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

// Reads an index of (code, offset) entries and hands each to 'store'. Returns None, or what is
// wrong with the index (EndsEarly, NamesNoCharacter), or what 'store' found wrong.
template <typename Store>
FaultDetail ReadIndexEntries(ByteReader& file, Store store) {
    long count = file.U16();
    if (count < 0) return FaultDetail::EndsEarly;
    for (long i = 0; i < count; ++i) {
        long code = file.U16();
        long long offset = file.U32();
        if (code < 0 || offset < 0) return FaultDetail::EndsEarly;
        if (code == EndCode) return FaultDetail::NamesNoCharacter;
        const FaultDetail stored = store(static_cast<CharCode>(code), static_cast<std::uint32_t>(offset));
        if (stored != FaultDetail::None) return stored;
    }
    return FaultDetail::None;
}

// Opens a file that must be there, within its limit; 0 after 'missing' or 'tooLarge'.
int OpenWithin(ByteFile& file, const NarrowString& name, std::uint64_t limit, int missing, int tooLarge) {
    if (!file.Open(name.c_str(), "rb")) return FailOnFile(missing, OpenFault(name.c_str(), errno));
    std::uint64_t size = 0;
    if (!WithinLimit(fileno(file.get()), limit, &size))
        return FailOnFile(tooLarge, TooLargeFault(name.c_str(), size, limit));
    return 1;
}

// Reads an open file whole; 0 after the step code of a file that cannot be read ('unreadable'),
// grew past its limit ('tooLarge').
int ReadOpenFile(ByteFile& file, const NarrowString& name, FileBytes& bytes, std::uint64_t limit, int unreadable,
                 int tooLarge) {
    FileFault fault;
    if (ReadWholeFile(file.get(), name.c_str(), bytes, limit, &fault)) return 1;
    return FailOnFile(fault.kind == FaultKind::TooLarge ? tooLarge : unreadable, fault);
}

int ReadGlyphIndex() {
    ByteFile glyphIndex;
    if (!OpenWithin(glyphIndex, App.Files.GlyphIndex, GlyphIndexLimit, 439, StepGlyphIndexTooLarge)) return 0;
    // cbf is never read whole, only a glyph at a time; its limit keeps out a file that is no store
    // of glyphs.
    if (!OpenWithin(App.GlyphFile, App.Files.Glyphs, GlyphsLimit, 440, StepGlyphsTooLarge)) return 0;
    FileBytes bytes;
    if (!ReadOpenFile(glyphIndex, App.Files.GlyphIndex, bytes, GlyphIndexLimit, 439, StepGlyphIndexTooLarge))
        return 0;
    ByteReader file{bytes};
    const FaultDetail wrong = ReadIndexEntries(file, [](CharCode code, std::uint32_t offset) {
        App.GlyphOffset[code] = offset;
        return FaultDetail::None;
    });
    if (wrong != FaultDetail::None)
        return FailOnFile(StepGlyphIndexDamaged,
                          ContentFault(FaultKind::Damaged, App.Files.GlyphIndex.c_str(), wrong));
    return 1;
}

// Reads the fixed head of one cif record into the tables, from the whole of cif in memory.
FaultDetail ReadRecordHead(const FileBytes& info, CharCode code, std::uint32_t offset) {
    if (offset > info.size()) return FaultDetail::RecordOutsideFile;
    ByteReader record{info, offset};
    long weight = record.U16();
    long otherForm = record.U16();
    long showBoth = record.U8();
    if (weight < 0 || otherForm < 0 || showBoth < 0) return FaultDetail::EndsEarly;
    if (otherForm == EndCode) return FaultDetail::NamesNoCharacter;
    App.CharTable[code].Weight = static_cast<std::int32_t>(weight);
    App.OtherForm[code] = otherForm == 0 ? code : static_cast<CharCode>(otherForm);
    App.CharTable[code].ShowBoth = static_cast<std::uint8_t>(showBoth);
    return FaultDetail::None;
}

// Reads cifcon and the record heads; 'info' keeps all of cif for the checks after the frequency list.
int ReadInfoIndex(FileBytes& info) {
    ByteFile infoIndex;
    if (!OpenWithin(infoIndex, App.Files.InfoIndex, InfoIndexLimit, 452, StepInfoIndexTooLarge)) return 0;
    if (!OpenWithin(App.InfoFile, App.Files.Info, InfoLimit, 453, StepInfoTooLarge)) return 0;
    // The record heads lie all over cif: reading it whole once beats a seek for each of them.
    // InfoFile stays open for the readings, which are read from disk each time (every read
    // positions it first).
    FileBytes indexBytes;
    if (!ReadOpenFile(infoIndex, App.Files.InfoIndex, indexBytes, InfoIndexLimit, 452, StepInfoIndexTooLarge))
        return 0;
    if (!ReadOpenFile(App.InfoFile, App.Files.Info, info, InfoLimit, 453, StepInfoTooLarge)) return 0;
    ByteReader file{indexBytes};
    bool recordDamaged = false;
    const FaultDetail wrong = ReadIndexEntries(file, [&](CharCode code, std::uint32_t offset) {
        App.InfoOffset[code] = offset;
        const FaultDetail head = ReadRecordHead(info, code, offset);
        recordDamaged = head != FaultDetail::None;
        return head;
    });
    if (recordDamaged)
        return FailOnFile(StepInfoRecordDamaged, ContentFault(FaultKind::Damaged, App.Files.Info.c_str(), wrong));
    if (wrong != FaultDetail::None)
        return FailOnFile(StepInfoIndexDamaged, ContentFault(FaultKind::Damaged, App.Files.InfoIndex.c_str(), wrong));
    return 1;
}

int ReadFrequencyList() {
    FileBytes bytes;
    FileFault fault;
    if (!ReadWholeFile(App.Files.Frequency.c_str(), bytes, FrequencyLimit, &fault))
        return FailOnFile(fault.kind == FaultKind::TooLarge ? StepFrequencyTooLarge : 470, fault);
    ByteReader frequency{bytes};
    const char* name = App.Files.Frequency.c_str();
    if (frequency.U16() < 0)
        return FailOnFile(StepFrequencyDamaged, ContentFault(FaultKind::Damaged, name, FaultDetail::EndsEarly));
    for (int rank = 1; rank <= FrequencyCount; ++rank) {
        long code = frequency.U16();
        if (code < 0)
            return FailOnFile(StepFrequencyDamaged, ContentFault(FaultKind::Damaged, name, FaultDetail::EndsEarly));
        if (code == EndCode)
            return FailOnFile(StepFrequencyDamaged,
                              ContentFault(FaultKind::Damaged, name, FaultDetail::NamesNoCharacter));
        App.FreqRank[code] = static_cast<std::uint16_t>(rank);
        App.FreqList[rank - 1] = static_cast<CharCode>(code);
        if (App.InfoOffset[code] == 0) {
            FileFault unlisted = ContentFault(FaultKind::Mismatch, name, FaultDetail::CodeWithoutRecord,
                                              static_cast<std::uint32_t>(code));
            unlisted.otherFile = App.Files.InfoIndex.c_str();
            return FailOnFile(480, unlisted);
        }
    }
    return 1;
}

}  // namespace

int LoadIndex() {
    LogTrace("LoadIndex");
    FileBytes info;
    return ReadGlyphIndex() && ReadInfoIndex(info) && ReadFrequencyList() && CheckDatabaseFits(info);
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
