// Choosing the program's folders from where its executable lies, and preparing the per-user folder.
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "shell/program_folders.h"
#include "shell/process_start.h"

namespace fs = std::filesystem;

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TEST(ProgramFolders, BesideTheExecutableThenShareThenBesideAgain)
{
    TestFolder folder;
    const std::string bin = folder.path() + "/usr/bin";
    fs::create_directories(bin);

    // Neither beside nor installed: the portable layout, so a failed start is logged next to the program.
    ProgramFolders found = FindProgramFolders(Q(bin), "/xdg", "/home/li");
    EXPECT_FALSE(found.Installed);
    EXPECT_EQ(found.ReadOnly, Q(bin));
    EXPECT_EQ(found.Records, Q(bin));

    fs::create_directories(folder.path() + "/usr/share/lumora");
    found = FindProgramFolders(Q(bin), "/xdg", "/home/li");
    EXPECT_TRUE(found.Installed);
    EXPECT_EQ(found.ReadOnly, Q(folder.path() + "/usr/share/lumora"));
    EXPECT_EQ(found.Records, QStringLiteral("/xdg/lumora"));

    // Read-only files beside the program win over an installed copy: a portable folder keeps its records.
    WriteFileBytes(bin + "/pinyin", {});
    EXPECT_EQ(FindProgramFolders(Q(bin), "/xdg", "/home/li").Records, Q(bin));
}

TEST(ProgramFolders, RecordsFolderIsMadePrivateWithAnEmptySettingsFile)
{
    TestFolder folder;
    const std::string home = folder.path() + "/home";
    fs::create_directories(home);
    chmod(home.c_str(), 0755);
    const std::string records = home + "/.local/share/lumora";

    ASSERT_TRUE(PrepareRecordsFolder(Q(records)));
    EXPECT_EQ(ModeOf(records), 0700);
    EXPECT_EQ(ModeOf(home + "/.local"), 0700);
    EXPECT_EQ(ModeOf(home), 0755) << "a folder that was there keeps its mode";
    EXPECT_TRUE(ReadFileBytes(records + "/sf04").empty());

    // A later start leaves what the learner has: settings, records and the folder's own mode.
    const std::vector<std::uint8_t> saved{1, 0, 2, 4, 50, 0, 50, 0};
    WriteFileBytes(records + "/sf04", saved);
    chmod(records.c_str(), 0750);
    ASSERT_TRUE(PrepareRecordsFolder(Q(records + "/")));
    EXPECT_EQ(ReadFileBytes(records + "/sf04"), saved);
    EXPECT_EQ(ModeOf(records), 0750);

    // A file where the folder should be, or a relative folder: nothing to prepare.
    WriteFileBytes(home + "/blocked", {});
    EXPECT_FALSE(PrepareRecordsFolder(Q(home + "/blocked/lumora")));
    EXPECT_FALSE(PrepareRecordsFolder(QStringLiteral("relative/lumora")));
    EXPECT_FALSE(fs::exists("relative"));
}

// A bus is never launched for the screen-reader question: with no address and no bus socket the
// address is one that fails at once; an address given, or a bus socket in the runtime folder, is
// left to the bus library.
TEST(ProcessStart, NoBusIsLaunchedWhereNoneIsFound)
{
    TestFolder folder;
    const char* saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string savedAddress = saved != nullptr ? saved : "";
    const char* savedRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string runtime = savedRuntime != nullptr ? savedRuntime : "";
    auto address = [] {
        const char* value = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        return std::string(value != nullptr ? value : "(none)");
    };

    setenv("XDG_RUNTIME_DIR", fs::current_path().c_str(), 1);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    SkipLaunchingABus();
    EXPECT_EQ(address(), "disabled:");

    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    WriteFileBytes("bus", {});
    SkipLaunchingABus();
    EXPECT_EQ(address(), "(none)");

    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/somewhere", 1);
    std::remove("bus");
    SkipLaunchingABus();
    EXPECT_EQ(address(), "unix:path=/somewhere");

    if (saved != nullptr) setenv("DBUS_SESSION_BUS_ADDRESS", savedAddress.c_str(), 1);
    else unsetenv("DBUS_SESSION_BUS_ADDRESS");
    if (savedRuntime != nullptr) setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
}
