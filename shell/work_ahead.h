// Start-up work done on a second processor core while the main thread goes on starting.
#pragma once
#include <thread>

// Reads the word file on its own thread; made as soon as the file places are chosen, before the
// application object (whose start mostly waits for the display), and joined when it goes out of
// scope. LoadWdsList waits for the words when the loading comes to them.
class WordFileAhead {
public:
    WordFileAhead();
    ~WordFileAhead();
    WordFileAhead(const WordFileAhead&) = delete;
    WordFileAhead& operator=(const WordFileAhead&) = delete;

private:
    std::thread worker_;
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
