// Writes a small but complete database in the program's file formats. The texts are hidden with a
// substitution written here on its own, so a fault in the program's Scramble cannot cancel itself.
#include <algorithm>
#include <cstdio>
#include <set>

#include "tests/support/test_support.h"

namespace {

void PutU32(Bytes& out, std::uint32_t value) {
    Append16(out, value & 0xFFFF);
    Append16(out, value >> 16);
}

void PutHidden(Bytes& out, const std::string& text) {
    for (unsigned char b : text) out.push_back(b >= 33 && b <= 126 ? static_cast<std::uint8_t>(159 - b) : b);
}

// A filler glyph: a square outline with a dot in the middle, enough to tell a drawn glyph from none.
Bytes FillerGlyph() {
    Bytes glyph(72, 0);
    for (int x = 2; x < 22; ++x) {
        glyph[3 * 2 + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        glyph[3 * 21 + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    for (int y = 2; y < 22; ++y) {
        glyph[3 * y + 0] |= 0x20;  // column 2
        glyph[3 * y + 2] |= 0x04;  // column 21
    }
    glyph[3 * 12 + 1] |= 0x08;  // row 12, column 12
    return glyph;
}

}  // namespace

TestDatabase::TestDatabase() : syllables{"de", "hao", "le", "ma", "ni", "shi", "wo", "ren", "zhong", "guo"} {}

TestChar& TestDatabase::AddChar(std::uint16_t code, std::vector<std::string> readings) {
    return ranked.emplace_back(TestChar{code, 1, 0, 0, std::move(readings), {}});
}

TestChar& TestDatabase::AddUnrankedChar(std::uint16_t code, std::vector<std::string> readings) {
    return unranked.emplace_back(TestChar{code, 1, 0, 0, std::move(readings), {}});
}

void TestDatabase::Write() const {
    std::vector<TestChar> all = ranked;
    if (all.size() > 8000) all.resize(8000);
    std::set<std::uint16_t> used;
    for (const TestChar& c : ranked) used.insert(c.code);
    for (const TestChar& c : unranked) used.insert(c.code);
    std::uint32_t next = 0x5000;
    while (all.size() < 8000) {
        while (used.count(static_cast<std::uint16_t>(next))) ++next;
        TestChar filler;
        filler.code = static_cast<std::uint16_t>(next++);
        filler.readings = {"ma1 filler"};
        filler.glyph = FillerGlyph();
        all.push_back(filler);
    }
    const std::size_t rankedCount = all.size();
    all.insert(all.end(), unranked.begin(), unranked.end());

    // Offset 0 of cbf and cif means "none", so both files begin with padding.
    Bytes cbfcon, cbf(72, 0), cifcon, cif(2, 0), index;
    Append16(cbfcon, std::count_if(all.begin(), all.end(), [](const TestChar& c) { return !c.glyph.empty(); }));
    Append16(cifcon, static_cast<std::uint32_t>(all.size()));
    for (const TestChar& c : all) {
        if (!c.glyph.empty()) {
            Append16(cbfcon, c.code);
            PutU32(cbfcon, static_cast<std::uint32_t>(cbf.size()));
            Bytes glyph = c.glyph;
            glyph.resize(72, 0);
            cbf.insert(cbf.end(), glyph.begin(), glyph.end());
        }
        Append16(cifcon, c.code);
        PutU32(cifcon, static_cast<std::uint32_t>(cif.size()));
        Append16(cif, static_cast<std::uint16_t>(c.weight));
        Append16(cif, c.otherForm);
        cif.push_back(c.showBoth);
        cif.push_back(static_cast<std::uint8_t>(c.readings.size()));
        for (const std::string& reading : c.readings) {
            std::string text = reading.substr(0, 255);
            cif.push_back(static_cast<std::uint8_t>(text.size()));
            PutHidden(cif, text);
        }
    }
    Append16(index, 0);
    for (std::size_t i = 0; i < rankedCount; ++i) Append16(index, all[i].code);

    Bytes wtf;
    for (const TestWord& w : words) {
        std::size_t n = std::min<std::size_t>(w.word.size(), 255);
        wtf.push_back(static_cast<std::uint8_t>(n));
        for (std::size_t i = 0; i < n; ++i) Append16(wtf, w.word[i]);
        std::string text = w.text.substr(0, 255);
        wtf.push_back(static_cast<std::uint8_t>(text.size()));
        PutHidden(wtf, text);
    }

    // The list holds the syllable of every reading, so that the database fits together.
    std::vector<std::string> list = syllables;
    for (const TestChar& c : all) {
        if (!addReadingSyllables) break;
        for (const std::string& reading : c.readings) {
            std::string syllable = reading.substr(0, reading.find(' '));
            if (!syllable.empty() && syllable.back() >= '1' && syllable.back() <= '4') syllable.pop_back();
            if (!syllable.empty() && std::all_of(syllable.begin(), syllable.end(), [](char k) { return k >= 'a' && k <= 'z'; }) &&
                std::find(list.begin(), list.end(), syllable) == list.end())
                list.push_back(syllable);
        }
    }
    std::string pinyin;
    for (const std::string& s : list) pinyin += s + "\n";

    WriteFileBytes("cbfcon", cbfcon);
    WriteFileBytes("cbf", cbf);
    WriteFileBytes("cifcon", cifcon);
    WriteFileBytes("cif", cif);
    WriteFileBytes("index", index);
    WriteFileBytes("wtf", wtf);
    WriteFileBytes("pinyin", Bytes(pinyin.begin(), pinyin.end()));
    WriteFileBytes("sf04", {});
}
