// The local socket beneath the one-copy rule: user-only access, descriptors that do not leak into
// child processes, and bounded waits whatever the peer does.
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <thread>

#include <gtest/gtest.h>

#include "shell/local_socket.h"
#include "tests/support/test_support.h"

namespace {

std::string SocketIn(const TestFolder& folder)
{
    return folder.path() + "/socket";
}

bool ClosedOnExecAndNonBlocking(int fd)
{
    return (fcntl(fd, F_GETFD) & FD_CLOEXEC) != 0 && (fcntl(fd, F_GETFL) & O_NONBLOCK) != 0;
}

TEST(LocalSocket, ListensForTheUserAloneInPlaceOfAStaleFile)
{
    TestFolder folder;
    const std::string path = SocketIn(folder);
    WriteFileBytes(path, {'x'});
    const FileDescriptor listener = ListenOnLocalSocket(path);
    ASSERT_TRUE(listener.Valid());
    EXPECT_TRUE(ClosedOnExecAndNonBlocking(listener.Get()));

    struct stat info {};
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "the private folder it was made in is gone";

    const FileDescriptor asking = ConnectToLocalSocket(path, 250);
    ASSERT_TRUE(asking.Valid());
    EXPECT_TRUE(ClosedOnExecAndNonBlocking(asking.Get()));
    const FileDescriptor answering = AcceptLocalConnection(listener.Get());
    ASSERT_TRUE(answering.Valid());
    EXPECT_TRUE(ClosedOnExecAndNonBlocking(answering.Get()));
    EXPECT_FALSE(AcceptLocalConnection(listener.Get()).Valid()) << "nobody else waits";

    ASSERT_TRUE(SendText(asking.Get(), "raise\n"));
    EXPECT_EQ(ReceiveLine(answering.Get(), 250, 64), "raise\n");
}

TEST(LocalSocket, WaitsStayBoundedWhateverThePeerDoes)
{
    TestFolder folder;
    const FileDescriptor listener = ListenOnLocalSocket(SocketIn(folder));
    ASSERT_TRUE(listener.Valid());

    FileDescriptor silent = ConnectToLocalSocket(SocketIn(folder), 250);
    const FileDescriptor silentPeer = AcceptLocalConnection(listener.Get());
    // A peer that says nothing: the wait ends empty (a wait without end would hang the test).
    EXPECT_EQ(ReceiveLine(silentPeer.Get(), 100, 64), "");
    // A line sent while the wait runs is still received: the wait does wait.
    std::thread late([&silent] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        SendText(silent.Get(), "late\n");
    });
    EXPECT_EQ(ReceiveLine(silentPeer.Get(), 10000, 64), "late\n");
    late.join();

    const FileDescriptor chatty = ConnectToLocalSocket(SocketIn(folder), 250);
    const FileDescriptor chattyPeer = AcceptLocalConnection(listener.Get());
    ASSERT_TRUE(SendText(chatty.Get(), std::string(1000, 'g')));
    EXPECT_EQ(ReceiveLine(chattyPeer.Get(), 100, 64), std::string(64, 'g')) << "no more than asked for";

    // A peer that has hung up: the answer fails, and the process lives on (no SIGPIPE).
    silent.Close();
    EXPECT_EQ(ReceiveLine(silentPeer.Get(), 1000, 64), "") << "the end of the stream ends the wait";
    EXPECT_FALSE(SendText(silentPeer.Get(), "raised\n"));

    // Where nobody listens (the file of a copy that was killed), connecting fails.
    EXPECT_FALSE(ConnectToLocalSocket(folder.path() + "/none", 1000).Valid());
    FileDescriptor killed = ListenOnLocalSocket(SocketIn(folder) + "2");
    ASSERT_TRUE(killed.Valid());
    killed.Close();
    EXPECT_FALSE(ConnectToLocalSocket(SocketIn(folder) + "2", 1000).Valid());
    EXPECT_FALSE(ListenOnLocalSocket(folder.path() + "/" + std::string(120, 'n')).Valid()) << "too long";
}

}  // namespace
