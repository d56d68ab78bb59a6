#include "database_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

void PutU16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

bool IsPlainAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 32 && c < 127; });
}

}  // namespace

void ScrambleText(std::string& text) {
    for (char& c : text) {
        unsigned char b = static_cast<unsigned char>(c);
        if (b == 0) break;
        if (b >= 33 && b <= 126) c = static_cast<char>(159 - b);
    }
}

bool EncodeDatabase(const std::map<std::uint16_t, Glyph>& glyphs, const std::vector<CharInfo>& chars,
                    const std::vector<std::uint16_t>& index, const std::vector<std::string>& syllables,
                    const std::vector<WordEntry>& words, DatabaseImage& image, std::string& error) {
    image.files.clear();
    if (glyphs.size() > 65535 || chars.size() > 65535) {
        error = "more than 65535 glyphs or records";
        return false;
    }
    // Offset 0 means "none" to the trainer, so both stores begin with an unused block.
    std::vector<std::uint8_t> cbfcon, cbf(72, 0), cifcon, cif(6, 0), indexFile, pinyin, wtf;
    PutU16(cbfcon, static_cast<unsigned>(glyphs.size()));
    for (const auto& [code, glyph] : glyphs) {
        if (code == 0xFFFF) {
            error = "glyph for code 0xFFFF";
            return false;
        }
        PutU16(cbfcon, code);
        PutU32(cbfcon, static_cast<std::uint32_t>(cbf.size()));
        cbf.insert(cbf.end(), glyph.begin(), glyph.end());
    }

    std::vector<CharInfo> sorted = chars;
    std::sort(sorted.begin(), sorted.end(), [](const CharInfo& a, const CharInfo& b) { return a.code < b.code; });
    std::set<std::uint16_t> recorded;
    PutU16(cifcon, static_cast<unsigned>(sorted.size()));
    for (const CharInfo& c : sorted) {
        if (c.code == 0xFFFF || c.otherForm == 0xFFFF || !recorded.insert(c.code).second) {
            error = "record for code 0xFFFF or a code twice: " + std::to_string(c.code);
            return false;
        }
        if (c.readings.size() > 3) {
            error = "more than three readings for code " + std::to_string(c.code);
            return false;
        }
        PutU16(cifcon, c.code);
        PutU32(cifcon, static_cast<std::uint32_t>(cif.size()));
        PutU16(cif, static_cast<std::uint16_t>(c.weight));
        PutU16(cif, c.otherForm);
        cif.push_back(c.showBoth);
        cif.push_back(static_cast<std::uint8_t>(c.readings.size()));
        for (std::string text : c.readings) {
            if (text.size() > 255 || !IsPlainAscii(text)) {
                error = "reading text too long or not plain ASCII for code " + std::to_string(c.code);
                return false;
            }
            ScrambleText(text);
            cif.push_back(static_cast<std::uint8_t>(text.size()));
            cif.insert(cif.end(), text.begin(), text.end());
        }
    }

    std::set<std::uint16_t> seen;
    PutU16(indexFile, static_cast<unsigned>(index.size()));
    for (std::uint16_t code : index) {
        if (!recorded.count(code) || !seen.insert(code).second) {
            error = "index code without a record, or listed twice: " + std::to_string(code);
            return false;
        }
        PutU16(indexFile, code);
    }

    for (const std::string& s : syllables) {
        pinyin.insert(pinyin.end(), s.begin(), s.end());
        pinyin.push_back('\n');
    }

    for (const WordEntry& w : words) {
        std::string text = w.text;
        if (w.word.empty() || w.word.size() > 249 || text.size() > 251 || !IsPlainAscii(text)) {
            error = "word out of range: " + text;
            return false;
        }
        wtf.push_back(static_cast<std::uint8_t>(w.word.size()));
        for (std::uint16_t code : w.word) PutU16(wtf, code);
        ScrambleText(text);
        wtf.push_back(static_cast<std::uint8_t>(text.size()));
        wtf.insert(wtf.end(), text.begin(), text.end());
    }

    image.files["cbfcon"] = std::move(cbfcon);
    image.files["cbf"] = std::move(cbf);
    image.files["cifcon"] = std::move(cifcon);
    image.files["cif"] = std::move(cif);
    image.files["index"] = std::move(indexFile);
    image.files["pinyin"] = std::move(pinyin);
    image.files["wtf"] = std::move(wtf);
    return true;
}

bool WriteDatabaseFolder(const std::string& folder, const DatabaseImage& image, std::string& error) {
    namespace fs = std::filesystem;
    fs::path target = fs::path(folder).lexically_normal();
    if (target.filename().empty()) target = target.parent_path();
    fs::path fresh = target;
    fresh += ".new";
    fs::path old = target;
    old += ".old";
    std::error_code ec;
    fs::remove_all(fresh, ec);
    fs::remove_all(old, ec);
    if (!fs::create_directories(fresh, ec) || ec) {
        error = "cannot create " + fresh.string();
        return false;
    }
    bool ok = true;
    // What the build does not make (NOTICE, the licences, the source manifest) carries over.
    if (fs::is_directory(target)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(target, ec)) {
            if (image.files.count(entry.path().filename().string())) continue;
            fs::copy(entry.path(), fresh / entry.path().filename(), fs::copy_options::recursive, ec);
            ok = ok && !ec;
        }
    }
    for (const auto& [name, bytes] : image.files) ok = ok && WriteFile(fresh / name, bytes);
    if (!ok) {
        fs::remove_all(fresh, ec);
        error = "cannot write the database into " + fresh.string();
        return false;
    }
    if (fs::exists(target)) {
        fs::rename(target, old, ec);
        if (ec) {
            fs::remove_all(fresh, ec);
            error = "cannot move the old database aside: " + target.string();
            return false;
        }
    }
    fs::rename(fresh, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::rename(old, target, ignored);
        error = "cannot move the new database into place: " + target.string();
        return false;
    }
    fs::remove_all(old, ec);
    return true;
}
