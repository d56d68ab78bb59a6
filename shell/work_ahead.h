// Start-up work done on a second processor core while the main thread goes on starting.
#pragma once
#include <thread>

// Fills Qt's font database on one thread and reads the word file on another. Made once the
// application object exists and the file places are chosen; both joined when it goes out of scope.
// The main thread meets the results where it needs them: Qt locks its font database, so whichever
// thread asks first fills it and the other waits; LoadWdsList waits for the words.
class WorkAhead {
public:
    WorkAhead();
    ~WorkAhead();
    WorkAhead(const WorkAhead&) = delete;
    WorkAhead& operator=(const WorkAhead&) = delete;

private:
    std::thread fonts_;
    std::thread words_;
};
