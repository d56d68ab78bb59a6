// A local (AF_UNIX) stream socket in the file system, just enough for one running copy to answer
// another: listen on a path that only this user can reach, connect to it, send a short message and
// wait a bounded time for a short reply. Plain POSIX, so that the program needs no network library
// for it. Every descriptor is made close-on-exec and non-blocking.
#pragma once

#include <string>

// Owns one file descriptor and closes it when it goes.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Close();

private:
    int fd_ = -1;
};

// Listens at 'path', replacing whatever file is there (the caller makes sure no live copy owns
// it). The socket is only ever reachable at 'path' with mode 0600. Invalid on failure, for example
// when the path is too long for a socket address.
FileDescriptor ListenOnLocalSocket(const std::string& path);

// Takes one waiting connection from 'listener'; invalid when none waits.
FileDescriptor AcceptLocalConnection(int listener);

// Connects to the socket at 'path'. Invalid when nobody listens there, or when the listener's
// queue stays full for 'waitMs'.
FileDescriptor ConnectToLocalSocket(const std::string& path, int waitMs);

// Sends all of 'text' without blocking and without SIGPIPE if the peer has gone; false if it could
// not.
bool SendText(int fd, const std::string& text);

// Reads until a newline, the end of the stream, 'maxBytes' or 'waitMs' has passed, whichever
// comes first, and returns what came.
std::string ReceiveLine(int fd, int waitMs, std::size_t maxBytes);
