// Reading the font configuration takes milliseconds that the start-up otherwise spends waiting:
// the window's first text (the status bar) needs the database, and until then the main thread is
// busy with the one-copy rule, the pictures and the window.
#include "shell/font_warm_up.h"

#include <QFontDatabase>
#include <QStringList>

FontWarmUp::FontWarmUp() : worker_([] { QFontDatabase::families(); }) {}

FontWarmUp::~FontWarmUp()
{
    if (worker_.joinable())
        worker_.join();
}
