// Fills Qt's font database on a second processor core while the first goes on starting.
#pragma once
#include <thread>

// Started once the application object exists; joined when it goes out of scope. The database is
// shared and locked by Qt, so whichever thread asks first fills it and the other waits.
class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread worker_;
};
