// Lists the readings of a character database that have no recording in the installed gcin-voice
// package, with counts, and every syllable of its pinyin file that has no zhuyin.
//
//   voice_coverage [DATABASE_FOLDER [VOICE_FOLDER]] [--all]
//
// DATABASE_FOLDER defaults to the current folder (cbfcon, cbf, cifcon, cif, index, pinyin), the
// voice folder to /usr/share/gcin-voice/ogg. Characters are taken in frequency order, so the first
// missing readings listed are those a learner meets first; --all lists every one, not the first 20.
// Exits 1 when the database cannot be read or a syllable of the pinyin file has no zhuyin.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <QString>

#include "data/database.h"
#include "data/file_places.h"
#include "data/program_state.h"
#include "data/zhuyin.h"
#include "engine/selection.h"

namespace {

// A character as UTF-8, for the listing.
std::string Utf8(CharCode code) {
    return QString(QChar(static_cast<char16_t>(code))).toStdString();
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
        LoadReadings(code);
        for (const PairNode* node = App.ReadingList.head; node != nullptr; node = node->next) {
            const std::string reading = NarrowString(node->pair.first).c_str();
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
