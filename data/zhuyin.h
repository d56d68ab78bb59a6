// Readings in zhuyin (bopomofo), and the recorded syllables of the gcin-voice package, whose
// folders are named by zhuyin with the tone as a digit: none for the first tone, 2, 3 and 4 for
// the second to fourth, 1 for the neutral tone.
#pragma once
#include <string>
#include <string_view>

// The zhuyin letters (UTF-8) of a bare pinyin syllable as the pinyin file writes it: lowercase,
// "v" for u-umlaut, no tone ("zhuang" -> "ㄓㄨㄤ", "lve" -> "ㄌㄩㄝ", "er" -> "ㄦ", "m" -> "ㄇ").
// Empty when the text is no pinyin syllable.
std::string ZhuyinOf(std::string_view syllable);

// The recording folder of a reading as the database stores it: the syllable with its tone digit 1
// to 4, or bare for the neutral tone ("hao3" -> "ㄏㄠ3", "ma1" -> "ㄇㄚ", "de" -> "ㄉㄜ1"). Empty for
// no syllable, and for the syllabic nasals (m, n, ng, hm, hng): the package's folders of a lone
// initial hold the letter's name, not the syllable.
std::string RecordingFolder(std::string_view reading);

// Where the recordings are: the installed package's folder, and the voice chosen from its two.
extern std::string VoiceFolder;                   // "/usr/share/gcin-voice/ogg"
constexpr const char* VoiceFileName = "3.ogg";    // Edward Der-Hua Liu's voice

// The full name of the reading's recording when that file exists, else empty.
std::string RecordingFile(std::string_view reading);
