// The span of queued codes, kept until the table may have changed.
#include "data/char_table.h"

#include "data/program_state.h"

CodeSpan QueuedSpan()
{
    static std::uint64_t scannedAt = 0;
    static CodeSpan span = {0, 0};
    if (scannedAt == RecordTable::Changes) return span;
    const RecordTable& table = App.CharTable;
    int first = 0;
    while (first < CodeCount && table[first].QueuePos == 0) ++first;
    int end = CodeCount;
    while (end > first && table[end - 1].QueuePos == 0) --end;
    span = {first, end};
    scannedAt = RecordTable::Changes;
    return span;
}
