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

// The one read-ahead whose words are still to be handed over.
WordFileAhead* Pending = nullptr;

}  // namespace

WordFileAhead::WordFileAhead() : name_(ReadOnlyFile("wtf").c_str())
{
    reader_ = StartOrDo([this] { result_ = ReadWordFile(name_.c_str(), words_, &fault_); });
    Pending = this;
    ReadWords = HandOver;
}

WordFileAhead::~WordFileAhead()
{
    Join(reader_);
    if (Pending == this) {
        Pending = nullptr;
        ReadWords = ReadWordFile;
    }
}

int WordFileAhead::HandOver(const char* name, WordPairList& list, FileFault* fault)
{
    // Handed over once; any later load reads the file itself.
    WordFileAhead& ahead = *Pending;
    Pending = nullptr;
    ReadWords = ReadWordFile;
    Join(ahead.reader_);
    // Words read for another file, or for a list that holds words already, are not what is asked for.
    if (ahead.name_ != name || list.count != 0) {
        ahead.words_.Clear();
        return ReadWordFile(name, list, fault);
    }
    if (fault != nullptr) *fault = ahead.fault_;
    list.TakeFrom(ahead.words_);
    return ahead.result_;
}

FontsAhead::FontsAhead() : worker_(StartOrDo([] { QFontDatabase::families(); })) {}

FontsAhead::~FontsAhead() { Join(worker_); }
