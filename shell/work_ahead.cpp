// Reading the word file and the font configuration takes milliseconds that the start-up otherwise
// spends one after the other, while the second core of the machine waits.
#include "shell/work_ahead.h"

#include <QFontDatabase>
#include <QStringList>

#include <system_error>

#include "data/file_places.h"
#include "data/word_lists.h"

namespace {

// A thread for the work, or, with none to be had, the work done here and now, so that nobody
// waits for it in vain.
template <typename Work>
std::thread StartOrDo(Work work)
{
    try {
        return std::thread(work);
    } catch (const std::system_error&) {
        work();
        return std::thread();
    }
}

void Join(std::thread& worker)
{
    if (worker.joinable())
        worker.join();
}

}  // namespace

WordFileAhead::WordFileAhead()
{
    ExpectWordsAhead(ReadOnlyFile("wtf").c_str());
    worker_ = StartOrDo(ReadWordsAhead);
}

WordFileAhead::~WordFileAhead() { Join(worker_); }

FontsAhead::FontsAhead() : worker_(StartOrDo([] { QFontDatabase::families(); })) {}

FontsAhead::~FontsAhead() { Join(worker_); }
