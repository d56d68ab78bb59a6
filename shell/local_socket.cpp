// Local stream sockets on POSIX calls only.
#include "shell/local_socket.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void FileDescriptor::Close()
{
    if (fd_ >= 0)
        close(fd_);
    fd_ = -1;
}

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// False when the path does not fit a socket address (with its terminating zero).
bool MakeAddress(const std::string& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

FileDescriptor NewSocket()
{
    return FileDescriptor(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

// A folder of our own in the folder of 'beside' (mode 0700 from mkdtemp), removed with what is
// left in it. Its name is short so that a path that fits a socket address fits inside it too.
class PrivateFolder {
public:
    explicit PrivateFolder(const std::string& beside)
    {
        const std::size_t slash = beside.rfind('/');
        std::string pattern = (slash == std::string::npos ? std::string(".") : beside.substr(0, slash)) + "/XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (mkdtemp(name.data()) != nullptr)
            path_ = name.data();
    }
    ~PrivateFolder()
    {
        if (!path_.empty()) {
            unlink(Inside().c_str());
            rmdir(path_.c_str());
        }
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool Made() const { return !path_.empty(); }
    std::string Inside() const { return path_ + "/s"; }

private:
    std::string path_;
};

}  // namespace

FileDescriptor ListenOnLocalSocket(const std::string& path)
{
    sockaddr_un address;
    if (!MakeAddress(path, address))
        return {};  // a name a second copy could never connect to
    // The socket is bound inside a folder only this user can enter, given its mode there and then
    // renamed into place: bind() makes it with the process's umask, which cannot be changed safely
    // while other threads run, and fchmod() does not reach a socket's file.
    const PrivateFolder folder(path);
    sockaddr_un bindAddress;
    if (!folder.Made() || !MakeAddress(folder.Inside(), bindAddress))
        return {};
    FileDescriptor listener = NewSocket();
    if (!listener.Valid())
        return {};
    if (bind(listener.Get(), reinterpret_cast<const sockaddr*>(&bindAddress), sizeof bindAddress) != 0 ||
        listen(listener.Get(), 50) != 0 || chmod(folder.Inside().c_str(), 0600) != 0)
        return {};
    // A socket or file left by a copy that was killed is replaced in one step.
    if (rename(folder.Inside().c_str(), path.c_str()) != 0)
        return {};
    return listener;
}

FileDescriptor AcceptLocalConnection(int listener)
{
    for (;;) {
        const int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0 || errno != EINTR)
            return FileDescriptor(fd);
    }
}

FileDescriptor ConnectToLocalSocket(const std::string& path, int waitMs)
{
    sockaddr_un address;
    if (!MakeAddress(path, address))
        return {};
    FileDescriptor socket = NewSocket();
    if (!socket.Valid())
        return {};
    // A non-blocking connect to a local socket either succeeds at once or, while the listener's
    // queue is full, fails with EAGAIN; a blocking one would wait for room without limit.
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return socket;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN || MsLeft(deadline) == 0)
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool SendText(int fd, const std::string& text)
{
    std::size_t sent = 0;
    while (sent < text.size()) {
        // MSG_NOSIGNAL: a peer that has hung up must not end this process with SIGPIPE.
        const ssize_t n = send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;  // gone, or its buffer is full: the short messages here never wait for room
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string ReceiveLine(int fd, int waitMs, std::size_t maxBytes)
{
    std::string line;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    while (line.find('\n') == std::string::npos && line.size() < maxBytes) {
        char buffer[64];
        const ssize_t n = recv(fd, buffer, std::min(sizeof buffer, maxBytes - line.size()), 0);
        if (n > 0) {
            line.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
        pollfd wanted{fd, POLLIN, 0};
        const int left = MsLeft(deadline);
        if (left == 0 || (poll(&wanted, 1, left) < 0 && errno != EINTR))
            break;
    }
    return line;
}
