// Finding the read-only and the records folder of the running program.
#include "shell/program_folders.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/file_places.h"

namespace {

// The first file the loading sequence reads; its presence marks a folder of read-only files.
const char* const ReadOnlyMarker = "pinyin";

}  // namespace

ProgramFolders FindProgramFolders(const QString& programFolder, const char* xdgDataHome, const char* home)
{
    ProgramFolders folders;
    const QDir beside(programFolder);
    const QString shared = QDir::cleanPath(beside.filePath(QStringLiteral("../share/lumora")));
    // Beside the executable wins, so a portable folder works wherever it is copied. A missing
    // share folder keeps the portable layout too, so its failure is logged next to the program.
    if (QFileInfo::exists(beside.filePath(QString::fromLatin1(ReadOnlyMarker))) || !QFileInfo(shared).isDir()) {
        folders.ReadOnly = beside.absolutePath();
        folders.Records = folders.ReadOnly;
        return folders;
    }
    folders.Installed = true;
    folders.ReadOnly = shared;
    folders.Records = QFile::decodeName(QByteArray::fromStdString(UserRecordsFolder(xdgDataHome, home)));
    return folders;
}

bool PrepareRecordsFolder(const QString& folder)
{
    const QByteArray path = QFile::encodeName(folder);
    if (path.isEmpty() || path[0] != '/')
        return false;
    // Each missing level is made private; levels that exist keep their own mode.
    for (qsizetype end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '/')
            continue;
        const QByteArray level = path.left(end);
        if (mkdir(level.constData(), 0700) == 0)
            chmod(level.constData(), 0700);  // whatever the umask left
        else if (errno != EEXIST)
            return false;
    }
    struct stat status {};
    if (stat(path.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    // Appending creates an empty file once and never shortens one a learner has saved.
    if (std::FILE* settings = std::fopen((path + "/sf04").constData(), "ab"))
        std::fclose(settings);
    return true;
}

namespace {

// The folder of the running executable, known before Qt's application object is made (which asks
// the system the same way).
QString ExecutableFolder(const char* argv0)
{
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (self.exists())
        return QFileInfo(self.canonicalFilePath()).absolutePath();
    return QFileInfo(QFile::decodeName(argv0 != nullptr ? argv0 : "")).absolutePath();
}

}  // namespace

void ChooseFilePlaces(const char* argv0)
{
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        if (const passwd* user = getpwuid(getuid()))
            home = user->pw_dir;
    }
    const ProgramFolders folders =
        FindProgramFolders(ExecutableFolder(argv0), std::getenv("XDG_DATA_HOME"), home);
    // A records folder that cannot be made leaves the start to fail on the missing settings file,
    // with the fatal message as for any other missing file.
    if (folders.Installed)
        PrepareRecordsFolder(folders.Records);
    SetFilePlaces(QFile::encodeName(folders.ReadOnly).toStdString(), QFile::encodeName(folders.Records).toStdString());
}
