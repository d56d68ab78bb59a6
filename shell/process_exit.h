// The end of the process once the program is done.
#pragma once

// Ends the process with 'code' at once. By then every file has been written and closed, so the
// operating system reclaims the lists, the tables and the display connection in one go instead of
// the program releasing them piece by piece. Sanitizer builds (LUMORA_SANITIZE) do not call it and
// return through the normal exit, so that the leak check still sees everything released.
[[noreturn]] void EndProcess(int code);
