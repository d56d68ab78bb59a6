// Reading the font configuration and the word file takes milliseconds that the start-up otherwise
// spends one after the other: the window's first text (the status bar) needs the fonts, and until
// then the main thread is busy with the one-copy rule, the pictures and the window; the words are
// needed only once the loading begins.
#include "shell/work_ahead.h"

#include <QFontDatabase>
#include <QStringList>

#include <system_error>

#include "data/file_places.h"
#include "data/word_lists.h"

WorkAhead::WorkAhead()
{
    ExpectWordsAhead(ReadOnlyFile("wtf").c_str());
    // Without a thread to be had, the work is done here, so that nobody waits for it in vain.
    try {
        words_ = std::thread(ReadWordsAhead);
    } catch (const std::system_error&) {
        ReadWordsAhead();
    }
    try {
        fonts_ = std::thread([] { QFontDatabase::families(); });
    } catch (const std::system_error&) {
    }
}

WorkAhead::~WorkAhead()
{
    for (std::thread* worker : {&fonts_, &words_})
        if (worker->joinable())
            worker->join();
}
