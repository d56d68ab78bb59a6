// The per-character records, indexed by code, and the span of codes that can be queued at all.
#pragma once
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "data/types.h"

// Codes first <= code < end; every code outside holds QueuePos 0.
struct CodeSpan {
    int first;
    int end;
};

// CodeCount records, laid out and zeroed as a plain array (a reset may clear it with memset).
// The passes over the learning queue visit only the codes between the first and the last queued
// one, so the table counts every access that could make a code queued: a non-const index, begin
// or address. Reads go through a const view; the engine's own moves, which never make a code
// queued or unqueued, use KeepingQueued. A reference kept from an earlier access is not counted
// again: code that queues a character through one must index the table anew.
class RecordTable {
public:
    // For any integer type of code, so that an index never competes with the address below.
    template <std::integral Code>
    CharRecord& operator[](Code code)
    {
        ++Changes;
        return records_[code];
    }
    template <std::integral Code>
    const CharRecord& operator[](Code code) const
    {
        return records_[code];
    }
    CharRecord* begin()
    {
        ++Changes;
        return records_;
    }
    CharRecord* end() { return records_ + CodeCount; }
    const CharRecord* begin() const { return records_; }
    const CharRecord* end() const { return records_ + CodeCount; }
    operator CharRecord*()
    {
        ++Changes;
        return records_;
    }
    operator const CharRecord*() const { return records_; }

    // Writes that change counters or move queued codes among themselves, never a QueuePos from 0
    // to nonzero or back, leave the span as it is.
    CharRecord* KeepingQueued() { return records_; }

    // Accesses that may have changed which codes are queued; QueuedSpan scans again after one.
    static inline std::uint64_t Changes = 1;

private:
    CharRecord records_[CodeCount];
};

// Nothing but the records, and nothing written when constructed: the program-wide table in static
// storage stays untouched until loading fills it.
static_assert(sizeof(RecordTable) == sizeof(CharRecord) * CodeCount);
static_assert(std::is_trivially_default_constructible_v<RecordTable>);

// The smallest span holding every queued code of App.CharTable (empty when none is queued),
// found again by a scan of the whole table after any change that may have added a queued code.
CodeSpan QueuedSpan();
