// The words for a file that stopped the start.
#include "shell/file_messages.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "data/file_faults.h"
#include "data/learner.h"
#include "data/program_state.h"
#include "data/seams.h"

namespace {

std::string BaseName(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderName(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return std::string();
    return slash == 0 ? "/" : path.substr(0, slash);
}

// What the file is to the learner.
std::string RoleOf(const std::string& path)
{
    static const struct {
        const char* name;
        const char* role;
    } roles[] = {
        {"cbfcon", "The glyph index"},      {"cbf", "The glyph file"},          {"cifcon", "The character index"},
        {"cif", "The character file"},      {"index", "The frequency list"},    {"pinyin", "The syllable list"},
        {"wtf", "The word list"},           {"sf04", "The settings file"},      {"student.lumora", "Your records file"},
        {"bktrain_de.jpg", "The training picture"}, {"bkexam_de.jpg", "The exam picture"},
    };
    const std::string base = BaseName(path);
    for (const auto& known : roles)
        if (base == known.name)
            return known.role;
    return "The file";
}

// "the character file "cif"": the role in running text.
std::string Named(const std::string& path)
{
    std::string role = RoleOf(path);
    if (role.rfind("The ", 0) == 0)
        role[0] = 't';
    else if (role.rfind("Your ", 0) == 0)
        role[0] = 'y';
    return role + " \"" + BaseName(path) + "\"";
}

// The character itself and its code, "壯 (U+58EF)"; the code alone where it is no character.
std::string CharacterText(std::uint32_t code)
{
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code));
    if (code < 0x80 || (code >= 0xD800 && code <= 0xDFFF) || code > 0xFFFD)
        return number;
    std::string text;
    if (code < 0x800) {
        text += static_cast<char>(0xC0 | (code >> 6));
    } else {
        text += static_cast<char>(0xE0 | (code >> 12));
        text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    }
    text += static_cast<char>(0x80 | (code & 0x3F));
    return text + " (" + number + ")";
}

std::string WithThousands(std::uint64_t number)
{
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// What is wrong, after the file's name.
std::string WhatIsWrong(const FileFault& fault)
{
    switch (fault.kind) {
    case FaultKind::Missing:
        return "is missing.";
    case FaultKind::Unreadable:
        return std::string("cannot be read: ") + std::strerror(fault.error) + ".";
    case FaultKind::TooLarge:
        return "is too large: " + SizeText(fault.size) + ", where at most " + SizeText(fault.limit) +
               " is expected.";
    default:
        break;
    }
    const std::string character = CharacterText(fault.code);
    switch (fault.detail) {
    case FaultDetail::EndsEarly:
        return "is damaged: it ends in the middle of an entry.";
    case FaultDetail::NamesNoCharacter:
        return "is damaged: an entry names no character.";
    case FaultDetail::RecordOutsideFile:
        return "is damaged: it ends before a record its index points to.";
    case FaultDetail::TooManyReadings:
        return "is damaged: the record of " + character + " names more than three readings.";
    case FaultDetail::ReadingNotSyllable:
        return "is damaged: the reading \"" + fault.text + "\" of " + character + " is not pinyin.";
    case FaultDetail::CodeTwice:
        return "is damaged: it names " + character + " twice.";
    case FaultDetail::ShortLearnerFile:
        if (fault.size == 0)
            return "is damaged: it is empty.";
        return "is damaged: it holds " + WithThousands(fault.size) + " bytes, where Lumora's records take " +
               WithThousands(static_cast<std::uint64_t>(LearnerFileSize)) + ".";
    case FaultDetail::QueueInconsistent:
        return "is damaged: the order of its learning queue is broken.";
    case FaultDetail::WrongStamp:
        return "is not in the expected format: it does not begin as Lumora's records do.";
    case FaultDetail::NoSyllables:
        return "is not in the expected format: it holds no pinyin syllable, so no answer could ever be typed.";
    case FaultDetail::NotWords:
        return "is not in the expected format: it holds far more entries than words of its size could fill.";
    case FaultDetail::NotAPicture:
        return "is not in the expected format: it is no picture that Lumora can show.";
    default:
        return "is damaged.";
    }
}

// Two files that do not fit together, and how they differ.
std::string WhyTheyDoNotFit(const FileFault& fault)
{
    std::string first = Named(fault.file);
    first[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(first[0])));
    const std::string both = first + " and " + Named(fault.otherFile) + " do not fit together: ";
    const std::string character = CharacterText(fault.code);
    switch (fault.detail) {
    case FaultDetail::ReadingNotSyllable:
        return both + "the reading \"" + fault.text + "\" of " + character + " is not in the syllable list.";
    case FaultDetail::CodeWithoutRecord:
        return both + "the frequency list names " + character + ", which has no record.";
    case FaultDetail::NoCharacterToAsk:
        return both + "no character of the learning queue can be read.";
    default:
        return both + "they come from different databases.";
    }
}

bool IsDatabaseFile(const std::string& path)
{
    const std::string base = BaseName(path);
    for (const char* name : {"cbfcon", "cbf", "cifcon", "cif", "index", "pinyin", "wtf", "bktrain_de.jpg", "bkexam_de.jpg"})
        if (base == name)
            return true;
    return false;
}

}  // namespace

std::string SizeText(std::uint64_t bytes)
{
    char text[32];
    const double value = static_cast<double>(bytes);
    if (bytes >= 1024ull * 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1f GB", value / (1024.0 * 1024 * 1024));
    else if (bytes >= 1024 * 1024)
        std::snprintf(text, sizeof text, "%.0f MB", value / (1024.0 * 1024));
    else if (bytes >= 1024)
        std::snprintf(text, sizeof text, "%.0f KB", value / 1024.0);
    else
        std::snprintf(text, sizeof text, "%llu bytes", static_cast<unsigned long long>(bytes));
    return text;
}

bool IsLearnerFileFault(const FileFault& fault)
{
    return fault.kind != FaultKind::None && fault.kind != FaultKind::Mismatch && fault.file == App.Files.Learner.c_str();
}

std::string WhyFileUnreadable(const FileFault& fault)
{
    if (fault.kind == FaultKind::None)
        return std::string();
    std::string text = fault.kind == FaultKind::Mismatch ? WhyTheyDoNotFit(fault)
                                                          : RoleOf(fault.file) + " \"" + BaseName(fault.file) + "\" " +
                                                                WhatIsWrong(fault);
    const std::string folder = FolderName(fault.file);
    if (!folder.empty())
        text += "\nFolder: " + folder;
    return text;
}

std::string WhatToDoAbout(const FileFault& fault)
{
    const std::string base = BaseName(fault.file);
    if (fault.kind == FaultKind::Mismatch || IsDatabaseFile(fault.file))
        return "This file belongs to Lumora's database. Reinstall Lumora, or rebuild its database, to replace it.";
    if (base == "sf04") {
        if (fault.kind == FaultKind::Missing)
            return "Put an empty file named sf04 there: Lumora then starts with default settings.";
        return "Delete it and put an empty file named sf04 in its place: Lumora then starts with default settings.";
    }
    if (IsLearnerFileFault(fault)) {
        if (fault.kind == FaultKind::Unreadable)
            return "Lumora leaves the file as it is. Make it readable, then start Lumora again.";
        return "Lumora leaves the file as it is, and found no backup of your records that it can load. If you have "
               "a copy of the file, put it in its place; to start afresh, move the damaged file to another folder.";
    }
    return std::string();
}

std::string FatalStartMessage(const char* fatalLine, const FileFault& fault)
{
    std::string text = fatalLine;
    if (fault.kind == FaultKind::None)
        return text;
    text += "\n\n" + WhyFileUnreadable(fault);
    const std::string todo = WhatToDoAbout(fault);
    if (!todo.empty())
        text += "\n\n" + todo;
    return text;
}

std::string FileNoticeText(const FileNotice& notice)
{
    switch (notice.kind) {
    case FileNoticeKind::LongerFileKeptAside:
        return "Your records file \"" + BaseName(notice.file) + "\" held more than Lumora's records. Lumora kept it "
               "as it was, whole, as \"" + BaseName(notice.copy) + "\" beside it, and saved your records in \"" +
               BaseName(notice.file) + "\".";
    case FileNoticeKind::BackupFailed:
        return "Lumora could not make today's backup of \"" + BaseName(notice.file) + "\" as \"" + notice.copy +
               "\": " + std::strerror(notice.error) +
               ".\n\nYour records themselves were saved. Lumora tries the backup again at the next save.";
    }
    return std::string();
}
