// Why a file stopped the start: which file, and what is wrong with it. The loaders keep the fault
// beside their step code; the window layer turns it into words the learner can act on.
#pragma once
#include <cstdint>
#include <string>

// Most each file may hold. Each is a generous multiple of what its format can use or what the
// bundled database needs, so that a damaged or replaced file is refused before it is read.
constexpr std::uint64_t MiB = 1024 * 1024;
constexpr std::uint64_t GlyphIndexLimit = 4 * MiB;   // cbfcon: the format ends at 393,212 bytes
constexpr std::uint64_t GlyphsLimit = 64 * MiB;      // cbf: 65,535 glyphs take 4.7 MB
constexpr std::uint64_t InfoIndexLimit = 4 * MiB;    // cifcon: as cbfcon
constexpr std::uint64_t InfoLimit = 64 * MiB;        // cif: 65,535 records of at most 774 bytes
constexpr std::uint64_t FrequencyLimit = 1 * MiB;    // index: 16,002 bytes are read
constexpr std::uint64_t PinyinLimit = 1 * MiB;       // pinyin: the bundled list has 2 KB
constexpr std::uint64_t WordsLimit = 64 * MiB;       // wtf: the bundled words take 1.4 MB
constexpr std::uint64_t SettingsLimit = 64 * 1024;   // sf04: 8 bytes are read
constexpr std::uint64_t LearnerLimit = 16 * MiB;     // student.lumora: 564,282 bytes are read
constexpr std::uint64_t PictureLimit = 32 * MiB;     // each background picture: some tens of KB

enum class FaultKind {
    None,
    Missing,      // no file of that name
    Unreadable,   // it exists but cannot be opened or read ('error' says why)
    TooLarge,     // larger than its limit ('size', 'limit')
    Damaged,      // its content is cut short or contradicts itself ('detail')
    WrongFormat,  // it is not a file of its kind at all ('detail')
    Mismatch,     // it does not fit another file of the database ('otherFile', 'detail')
};

// What exactly is wrong, for the damaged, wrong-format and mismatch kinds.
enum class FaultDetail {
    None,
    EndsEarly,            // the file ends inside an entry
    NamesNoCharacter,     // an entry names the code 0xFFFF
    RecordOutsideFile,    // an index entry points past the end of the file it indexes
    TooManyReadings,      // a record of 'code' names four or more readings
    ReadingNotSyllable,   // the reading 'text' of 'code' is no syllable of the list
    CodeTwice,            // the frequency list names 'code' twice
    CodeWithoutRecord,    // the frequency list names 'code', which has no record
    NoSyllables,          // the syllable list holds no syllable
    NotWords,             // far more records than words of that size could fill
    WrongStamp,           // the learner file does not begin with its format stamp
    ShortLearnerFile,     // the learner file is shorter than its fixed size ('size')
    QueueInconsistent,    // the learning queue in the file is not in order
    NoCharacterToAsk,     // no character of the queue can be read
    NotAPicture,          // the picture does not decode
};

struct FileFault {
    FaultKind kind = FaultKind::None;
    std::string file;  // the name as opened
    int error = 0;
    std::uint64_t size = 0;
    std::uint64_t limit = 0;
    FaultDetail detail = FaultDetail::None;
    std::uint32_t code = 0;
    std::string text;
    std::string otherFile;
};

// The fault of the file that last stopped a loader; kind None when none did.
extern FileFault LastFileFault;

// Writes the step code, keeps the fault and returns 0, for a loader to return.
int FailOnFile(int step, const FileFault& fault);
// The fault of a file that could not be opened or read: missing for "no such file", else
// unreadable with the system's reason.
FileFault OpenFault(const char* file, int error);
FileFault TooLargeFault(const char* file, std::uint64_t size, std::uint64_t limit);
FileFault ContentFault(FaultKind kind, const char* file, FaultDetail detail, std::uint32_t code = 0,
                       std::string text = std::string());
void ForgetFileFault();

// The size of an open file and whether it is within 'limit'. Files that report no size (pipes,
// devices) pass here; whoever reads them stops at the limit.
bool WithinLimit(int fd, std::uint64_t limit, std::uint64_t* size = nullptr);
