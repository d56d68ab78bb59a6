// Pinyin to zhuyin, and the recording of a reading in the gcin-voice package.
#include "data/zhuyin.h"

#include <filesystem>
#include <system_error>

std::string VoiceFolder = "/usr/share/gcin-voice/ogg";

namespace {

struct Spelling {
    std::string_view pinyin;
    const char* zhuyin;
};

// Initials, the two-letter ones first so that "zh" is not taken for "z".
constexpr Spelling Initials[] = {
    {"zh", "ㄓ"}, {"ch", "ㄔ"}, {"sh", "ㄕ"}, {"b", "ㄅ"}, {"p", "ㄆ"}, {"m", "ㄇ"}, {"f", "ㄈ"},
    {"d", "ㄉ"},  {"t", "ㄊ"},  {"n", "ㄋ"},  {"l", "ㄌ"}, {"g", "ㄍ"}, {"k", "ㄎ"}, {"h", "ㄏ"},
    {"j", "ㄐ"},  {"q", "ㄑ"},  {"x", "ㄒ"},  {"r", "ㄖ"}, {"z", "ㄗ"}, {"c", "ㄘ"}, {"s", "ㄙ"},
};

// Finals after an initial (and, for the plain ones, alone). Pinyin's shortened spellings stand
// for their full forms: "iu" is iou, "ui" uei, "un" uen; "ong" is ueng and "iong" üeng.
constexpr Spelling Finals[] = {
    {"a", "ㄚ"},      {"o", "ㄛ"},      {"e", "ㄜ"},      {"ai", "ㄞ"},     {"ei", "ㄟ"},
    {"ao", "ㄠ"},     {"ou", "ㄡ"},     {"an", "ㄢ"},     {"en", "ㄣ"},     {"ang", "ㄤ"},
    {"eng", "ㄥ"},    {"er", "ㄦ"},     {"ong", "ㄨㄥ"},  {"i", "ㄧ"},      {"ia", "ㄧㄚ"},
    {"io", "ㄧㄛ"},   {"ie", "ㄧㄝ"},   {"iai", "ㄧㄞ"},  {"iao", "ㄧㄠ"},  {"iu", "ㄧㄡ"},
    {"ian", "ㄧㄢ"},  {"in", "ㄧㄣ"},   {"iang", "ㄧㄤ"}, {"ing", "ㄧㄥ"},  {"iong", "ㄩㄥ"},
    {"u", "ㄨ"},      {"ua", "ㄨㄚ"},   {"uo", "ㄨㄛ"},   {"uai", "ㄨㄞ"},  {"ui", "ㄨㄟ"},
    {"uan", "ㄨㄢ"},  {"un", "ㄨㄣ"},   {"uang", "ㄨㄤ"}, {"v", "ㄩ"},      {"ve", "ㄩㄝ"},
    {"van", "ㄩㄢ"},  {"vn", "ㄩㄣ"},   {"ue", "ㄩㄝ"},
};

// Syllables without an initial, as pinyin writes them with y and w, and the syllabic nasals.
constexpr Spelling Whole[] = {
    {"yi", "ㄧ"},     {"ya", "ㄧㄚ"},   {"yo", "ㄧㄛ"},   {"ye", "ㄧㄝ"},   {"yai", "ㄧㄞ"},
    {"yao", "ㄧㄠ"},  {"you", "ㄧㄡ"},  {"yan", "ㄧㄢ"},  {"yin", "ㄧㄣ"},  {"yang", "ㄧㄤ"},
    {"ying", "ㄧㄥ"}, {"yong", "ㄩㄥ"}, {"yu", "ㄩ"},     {"yue", "ㄩㄝ"},  {"yuan", "ㄩㄢ"},
    {"yun", "ㄩㄣ"},  {"wu", "ㄨ"},     {"wa", "ㄨㄚ"},   {"wo", "ㄨㄛ"},   {"wai", "ㄨㄞ"},
    {"wei", "ㄨㄟ"},  {"wan", "ㄨㄢ"},  {"wen", "ㄨㄣ"},  {"wang", "ㄨㄤ"}, {"weng", "ㄨㄥ"},
    {"m", "ㄇ"},      {"n", "ㄋ"},      {"ng", "ㄫ"},     {"hm", "ㄏㄇ"},   {"hng", "ㄏㄫ"},
};

template <std::size_t N>
const char* Find(const Spelling (&table)[N], std::string_view pinyin) {
    for (const Spelling& spelling : table)
        if (spelling.pinyin == pinyin) return spelling.zhuyin;
    return nullptr;
}

bool IsSyllabicNasal(std::string_view syllable) {
    return syllable == "m" || syllable == "n" || syllable == "ng" || syllable == "hm" || syllable == "hng";
}

}  // namespace

std::string ZhuyinOf(std::string_view syllable) {
    if (const char* whole = Find(Whole, syllable)) return whole;
    for (const Spelling& initial : Initials) {
        if (syllable.substr(0, initial.pinyin.size()) != initial.pinyin) continue;
        std::string_view rest = syllable.substr(initial.pinyin.size());
        const bool palatal = initial.pinyin == "j" || initial.pinyin == "q" || initial.pinyin == "x";
        const bool sibilant = initial.pinyin == "zh" || initial.pinyin == "ch" || initial.pinyin == "sh" ||
                              initial.pinyin == "r" || initial.pinyin == "z" || initial.pinyin == "c" ||
                              initial.pinyin == "s";
        // zhi, chi, shi, ri, zi, ci, si: the initial alone, its vowel unwritten in zhuyin.
        if (sibilant && rest == "i") return initial.zhuyin;
        // After j, q and x a written u is ü (ju, jue, juan, jun), and only ü may follow them.
        if (palatal) {
            if (!rest.empty() && rest[0] == 'u') {
                const std::string umlaut = "v" + std::string(rest.substr(1));
                const char* final = Find(Finals, umlaut);
                return final != nullptr ? std::string(initial.zhuyin) + final : std::string();
            }
            if (rest.empty() || rest[0] != 'i') return std::string();
        }
        if (rest.empty() || rest == "er") return std::string();
        // Besides j, q and x only l and n come before ü (lv, nve, lue).
        const bool umlaut = rest[0] == 'v' || rest == "ue";
        if (umlaut && initial.pinyin != "l" && initial.pinyin != "n") return std::string();
        if (const char* final = Find(Finals, rest)) return std::string(initial.zhuyin) + final;
        return std::string();
    }
    // Syllables of a final alone: a, o, e, ai, ei, ao, ou, an, en, ang, eng, er.
    if (syllable == "a" || syllable == "o" || syllable == "e" || syllable == "ai" || syllable == "ei" ||
        syllable == "ao" || syllable == "ou" || syllable == "an" || syllable == "en" || syllable == "ang" ||
        syllable == "eng" || syllable == "er")
        return Find(Finals, syllable);
    return std::string();
}

std::string RecordingFolder(std::string_view reading) {
    if (reading.empty()) return std::string();
    const char last = reading.back();
    const bool toned = last >= '1' && last <= '4';
    const std::string_view syllable = toned ? reading.substr(0, reading.size() - 1) : reading;
    if (IsSyllabicNasal(syllable)) return std::string();
    std::string folder = ZhuyinOf(syllable);
    if (folder.empty()) return folder;
    if (!toned)
        folder += '1';  // the neutral tone
    else if (last != '1')
        folder += last;  // the first tone has no digit
    return folder;
}

std::string RecordingFile(std::string_view reading) {
    const std::string folder = RecordingFolder(reading);
    if (folder.empty()) return folder;
    std::string name = VoiceFolder + "/" + folder + "/" + VoiceFileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error)) return std::string();
    return name;
}
