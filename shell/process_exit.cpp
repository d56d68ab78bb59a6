// The end of the process once the program is done.
#include "shell/process_exit.h"

#include <cstdio>
#include <unistd.h>

void EndProcess(int code)
{
    std::fflush(nullptr);
    _exit(code);
}
