// Start-up work done on a second processor core while the main thread goes on starting.
#pragma once
#include <string>
#include <thread>

#include "data/file_faults.h"
#include "data/lists.h"

// Reads the word file on its own thread: made as soon as the file places are chosen, before the
// application object (whose start mostly waits for the display). When the loading comes to the
// word file, LoadWdsList asks through its ReadWords hook; this object then joins the thread and
// hands the words over. Joined at the latest when it goes out of scope.
class WordFileAhead {
public:
    WordFileAhead();
    ~WordFileAhead();
    WordFileAhead(const WordFileAhead&) = delete;
    WordFileAhead& operator=(const WordFileAhead&) = delete;

private:
    // The ReadWords hook while this object lives: the words read ahead, when they are the ones
    // asked for; otherwise the file is read as usual.
    static int HandOver(const char* name, WordPairList& list, FileFault* fault);

    std::string name_;
    // Written by the reader thread, read by the main thread only once it has joined it.
    int result_ = 0;
    FileFault fault_;
    WordPairList words_;
    std::thread reader_;
};

// Fills Qt's font database on its own thread; made once the application object exists, and joined
// before it goes. Qt locks the database, so whichever thread asks first fills it and the other
// waits: the window's first text (the status bar) finds it filled.
class FontsAhead {
public:
    FontsAhead();
    ~FontsAhead();
    FontsAhead(const FontsAhead&) = delete;
    FontsAhead& operator=(const FontsAhead&) = delete;

private:
    std::thread worker_;
};
