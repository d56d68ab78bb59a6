// Lists the readings of a character database that have no recording in the installed gcin-voice
// package, with counts, and every syllable of its pinyin file that has no zhuyin.
//
//   voice_coverage [DATABASE_FOLDER [VOICE_FOLDER]] [--all]
//
// DATABASE_FOLDER defaults to the current folder (cbfcon, cbf, cifcon, cif, index, pinyin), the
// voice folder to /usr/share/gcin-voice/ogg. Characters are taken in frequency order, so the first
// missing readings listed are those a learner meets first; --all lists every one, not the first 20.
// Exits 1 when the database cannot be read or a syllable of the pinyin file has no zhuyin.
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "data/byte_io.h"
#include "data/database.h"
#include "data/file_places.h"
#include "data/program_state.h"
#include "data/scramble.h"
#include "data/zhuyin.h"

namespace {

// The readings of one cif record, in file order.
std::vector<std::string> ReadingsOf(CharCode code) {
    std::vector<std::string> readings;
    std::FILE* file = App.InfoFile.get();
    if (App.InfoOffset[code] == 0 || std::fseek(file, static_cast<long>(App.InfoOffset[code]), SEEK_SET) != 0)
        return readings;
    if (ReadU16(file) < 0 || ReadU16(file) < 0 || std::fgetc(file) == EOF) return readings;
    const int count = std::fgetc(file);
    for (int k = 0; k < count; ++k) {
        const int length = std::fgetc(file);
        char text[256];
        if (length == EOF || std::fread(text, 1, static_cast<std::size_t>(length), file) != static_cast<std::size_t>(length))
            break;
        text[length] = '\0';
        Scramble(text);
        char reading[256] = "";
        if (std::sscanf(text, "%255s", reading) == 1) readings.push_back(reading);
    }
    return readings;
}

std::string Utf8(CharCode code) {
    std::string out;
    if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (code & 0x3F));
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> folders;
    bool all = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--all") == 0)
            all = true;
        else
            folders.push_back(argv[i]);
    }
    const std::string database = folders.size() > 0 ? folders[0] : ".";
    if (folders.size() > 1) VoiceFolder = folders[1];
    SetFilePlaces(database, database);
    NameDataFiles();

    int status = 0;
    int syllables = 0;
    if (std::FILE* pinyin = std::fopen(App.Files.Pinyin.c_str(), "r")) {
        char line[256];
        while (std::fscanf(pinyin, "%255s", line) == 1) {
            ++syllables;
            if (ZhuyinOf(line).empty()) {
                std::printf("no zhuyin for the syllable %s\n", line);
                status = 1;
            }
        }
        std::fclose(pinyin);
    }
    if (!LoadIndex()) {
        std::fprintf(stderr, "cannot read the database in %s\n", database.c_str());
        return 1;
    }

    // Every reading of the 8000 characters, counted per character and per distinct reading.
    int readings = 0, recorded = 0;
    std::map<std::string, bool> distinct;
    std::vector<std::string> missingInOrder;
    std::map<std::string, std::string> missingChars;
    for (int rank = 0; rank < FrequencyCount; ++rank) {
        const CharCode code = App.FreqList[rank];
        for (const std::string& reading : ReadingsOf(code)) {
            ++readings;
            const bool has = !RecordingFile(reading).empty();
            recorded += has ? 1 : 0;
            if (distinct.emplace(reading, has).second && !has) missingInOrder.push_back(reading);
            if (!has) missingChars[reading] += Utf8(code);
        }
    }
    int distinctRecorded = 0;
    for (const auto& entry : distinct) distinctRecorded += entry.second ? 1 : 0;

    std::printf("voice: %s/<zhuyin><tone>/%s\n", VoiceFolder.c_str(), VoiceFileName);
    std::printf("pinyin syllables: %d, all with zhuyin: %s\n", syllables, status == 0 ? "yes" : "no");
    std::printf("readings of the %d characters: %d, with a recording: %d (%.1f%%), without: %d\n", FrequencyCount,
                readings, recorded, readings ? 100.0 * recorded / readings : 0.0, readings - recorded);
    std::printf("distinct readings: %zu, with a recording: %d, without: %zu\n", distinct.size(), distinctRecorded,
                missingInOrder.size());
    const std::size_t shown = all ? missingInOrder.size() : std::min<std::size_t>(20, missingInOrder.size());
    std::printf("%s readings without a recording, in the order a learner meets them:\n", all ? "all" : "the first 20");
    for (std::size_t i = 0; i < shown; ++i) {
        const std::string& reading = missingInOrder[i];
        const std::string folder = RecordingFolder(reading);
        std::printf("  %-8s %-14s %s\n", reading.c_str(), folder.empty() ? "(none)" : folder.c_str(),
                    missingChars[reading].c_str());
    }
    return status;
}
